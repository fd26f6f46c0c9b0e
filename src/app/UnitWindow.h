#pragma once
// What the unit driver sees of the main window: the visible tab, the
// progress text and the fields of the test call. The window implements it;
// a test hands in its own.
#include "link/protocol/UnitRequest.h"

#include <QString>
#include <cstdint>

namespace pb {

class UnitWindow {
public:
    virtual ~UnitWindow() = default;

    virtual int16_t visibleTab() const = 0;
    // TxtProgress: adds text at the end; with moveCaret the caret goes to the
    // end too, so the newest line is in sight. Lines end in CR LF.
    virtual void appendProgress(const QString& text, bool moveCaret) = 0;
    virtual void clearProgress() = 0;
    // TxtTestPagerAdres, TxtTestPagerDisplayInfo, ComboTestBleepCode.
    virtual CallFields callFields() const = 0;
};

} // namespace pb
