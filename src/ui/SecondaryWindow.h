#pragma once
// What the settings dialog, the housing-opening guide and the About box have
// in common: a fixed client area centred on the screen, no close button of
// their own in the title bar, shown without modality so that show() returns
// at once and the program's timers keep running, keeping the user's input to
// themselves through their focus keeper, destroyed when closed.
#include "ui/FocusKeeper.h"

#include <QWidget>

namespace pb {

class SecondaryWindow : public QWidget {
public:
    SecondaryWindow(QWidget* parent, int clientWidth, int clientHeight);

    // The keeper of the focus rule; a test gives it a beep it can count.
    FocusKeeper& focusKeeper() { return *keeper_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    FocusKeeper* keeper_;
    bool centred_ = false;
};

} // namespace pb
