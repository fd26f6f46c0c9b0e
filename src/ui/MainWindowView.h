#pragma once
// The main window as the unit driver sees it.
#include "app/UnitWindow.h"
#include "ui/MainWindow.h"

namespace pb {

class MainWindowView : public UnitWindow {
public:
    explicit MainWindowView(MainWindow& window) : window_(window) {}

    int16_t visibleTab() const override { return int16_t(window_.SSTab1->currentIndex()); }
    void appendProgress(const QString& text, bool moveCaret) override;
    void clearProgress() override { window_.TxtProgress()->clear(); }
    CallFields callFields() const override
    {
        return {window_.TxtTestPagerAdres->text(), window_.TxtTestPagerDisplayInfo->text(),
                int16_t(window_.ComboTestBleepCode->currentIndex())};
    }

private:
    MainWindow& window_;
};

} // namespace pb
