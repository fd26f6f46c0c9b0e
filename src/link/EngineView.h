#pragma once
// What the protocol engine and the unit operations see of the main window:
// the visible tab, the progress text and the fields of the test call. The
// window implements it; a test or a tool hands in its own.

#include <QString>
#include <cstdint>

namespace pb {

// Pages of the main window's tab control, by index.
enum EngineTab : int16_t {
    StatusTab = 0,
    SettingsTab = 1,
    FileTab = 2,
    UnitTab = 3,
    ServiceTab = 4,
};
constexpr int kTabCount = 5;

class EngineView {
public:
    virtual ~EngineView() = default;

    virtual int16_t VisibleTab() const = 0;

    // TxtProgress: adds text at the end; with moveCaret the caret goes to the
    // end too, so the newest line is in sight. Lines end in CR LF.
    virtual void AppendProgress(const QString& text, bool moveCaret) = 0;
    virtual void ClearProgress() = 0;

    virtual QString PagerAddress() const = 0;      // TxtTestPagerAdres
    virtual QString PagerMessage() const = 0;      // TxtTestPagerDisplayInfo
    virtual int16_t BleepCodePosition() const = 0; // ComboTestBleepCode, -1 for none
};

} // namespace pb
