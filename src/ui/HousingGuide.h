#pragma once
// The housing-opening guide: three illustrated steps for opening the
// diagnose cover and connecting the unit, and a box to stop showing it at
// start-up.
#include "app/AppState.h"
#include "ui/SecondaryWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <array>

namespace pb {

class HousingGuide : public SecondaryWindow {
    Q_OBJECT
public:
    // Loads the guide at step 1 with the box clear.
    explicit HousingGuide(AppState& state, QWidget* parent = nullptr);

    void applyTexts();

    // The step now shown, 1 to 3: the one picture that is not hidden.
    int currentStep() const;

    QLabel* Image1;
    QLabel* Image2;
    QLabel* Image3;
    QLabel* LabelBeschrijving;
    QPushButton* CmdVorige;
    QPushButton* CmdVolgende;
    QCheckBox* CheckDontShow;
    QPushButton* CmdClose;

private slots:
    void onCmdVolgendeClicked();
    void onCmdVorigeClicked();
    void onCmdCloseClicked();

private:
    void showStep(int step);
    std::array<QLabel*, 3> images() const { return {Image1, Image2, Image3}; }

    AppState& state_;
};

} // namespace pb
