#pragma once
// The About box: logo, maker's details and version line. A double-click on
// the logo steps the service level and shows or hides the main window's
// service controls.
#include "app/AppState.h"
#include "ui/SecondaryWindow.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace pb {

class MainWindow;

class AboutBox : public SecondaryWindow {
    Q_OBJECT
public:
    // `main` outlives the box and is its parent.
    AboutBox(AppState& state, MainWindow& main);

    QGroupBox* FrameLogo;
    QLabel* Image1;
    QLabel* LabelMaker;
    QLabel* LabelWeb;
    QLabel* Label4;
    QPushButton* CmdSluit;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void onCmdSluitClicked();

private:
    void load();
    void onFrameLogoDoubleClicked();

    AppState& state_;
    MainWindow& main_;
};

} // namespace pb
