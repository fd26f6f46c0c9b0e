#pragma once
// The main window as the protocol engine and the unit operations see it.
#include "link/EngineView.h"
#include "ui/FrmHoofdscherm.h"

namespace pb {

class MainWindowView : public EngineView {
public:
    explicit MainWindowView(FrmHoofdscherm& window) : window_(window) {}

    int16_t VisibleTab() const override { return int16_t(window_.SSTab1->currentIndex()); }
    void AppendProgress(const QString& text, bool moveCaret) override;
    void ClearProgress() override { window_.TxtProgress()->clear(); }
    QString PagerAddress() const override { return window_.TxtTestPagerAdres->text(); }
    QString PagerMessage() const override { return window_.TxtTestPagerDisplayInfo->text(); }
    int16_t BleepCodePosition() const override { return int16_t(window_.ComboTestBleepCode->currentIndex()); }

private:
    FrmHoofdscherm& window_;
};

} // namespace pb
