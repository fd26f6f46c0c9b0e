#include "ui/HousingGuide.h"

#include "files/ConfigFile.h"
#include "texts/TextNumbers.h"
#include "ui/Place.h"
#include "ui/SaveFailureBox.h"

#include <QPixmap>
#include <array>

namespace pb {

namespace {

constexpr int kClientWidth = 405;
constexpr int kClientHeight = 418;
constexpr int kStepCount = 3;
// Step k is described by kStepTexts[k - 1].
constexpr std::array<TextNumber, kStepCount> kStepTexts{TxtSlideLidUp, TxtTurnScrewdriver, TxtConnectDiagnosePort};

QLabel* placePicture(QWidget* parent, const char* name, const char* resource)
{
    auto* picture = place<QLabel>(parent, QLatin1String(name), 8, 8, 385, 280);
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap(QLatin1String(resource)));
    return picture;
}

} // namespace

HousingGuide::HousingGuide(AppState& state, QWidget* parent)
    : SecondaryWindow(parent, kClientWidth, kClientHeight), state_(state)
{
    setObjectName(QStringLiteral("frmOpenenBehuizing"));

    Image1 = placePicture(this, "Image1", ":/assets/step1.jpg");
    Image2 = placePicture(this, "Image2", ":/assets/step2.jpg");
    Image3 = placePicture(this, "Image3", ":/assets/step3.jpg");

    LabelBeschrijving = place<QLabel>(this, QStringLiteral("LabelBeschrijving"), 8, 304, 385, 33);
    LabelBeschrijving->setWordWrap(true);
    LabelBeschrijving->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    CmdVorige = place<QPushButton>(this, QStringLiteral("CmdVorige"), 232, 344, 73, 25);
    CmdVolgende = place<QPushButton>(this, QStringLiteral("CmdVolgende"), 320, 344, 73, 25);
    CheckDontShow = place<QCheckBox>(this, QStringLiteral("CheckDontShow"), 8, 392, 217, 17);
    CmdClose = place<QPushButton>(this, QStringLiteral("CmdClose"), 320, 384, 73, 25);

    connect(CmdVolgende, &QPushButton::clicked, this, &HousingGuide::onCmdVolgendeClicked);
    connect(CmdVorige, &QPushButton::clicked, this, &HousingGuide::onCmdVorigeClicked);
    connect(CmdClose, &QPushButton::clicked, this, &HousingGuide::onCmdCloseClicked);

    applyTexts();
    showStep(1);
}

void HousingGuide::applyTexts()
{
    const TextTable& t = state_.texts;
    CmdVolgende->setText(t[TxtNext]);
    CmdVorige->setText(t[TxtPrevious]);
    CmdClose->setText(t[TxtClose]);
    CheckDontShow->setText(t[TxtDontShowAgain]);
    setWindowTitle(t[TxtOpeningDiagnoseCover]);
}

int HousingGuide::currentStep() const
{
    const auto pictures = images();
    for (int k = 1; k <= kStepCount; ++k)
        if (!pictures[k - 1]->isHidden())
            return k;
    return 0;
}

void HousingGuide::showStep(int step)
{
    const auto pictures = images();
    for (int k = 1; k <= kStepCount; ++k)
        pictures[k - 1]->setVisible(k == step);
    LabelBeschrijving->setText(state_.texts[kStepTexts[step - 1]] + QStringLiteral("."));
}

// The buttons stay enabled; past either end they simply do nothing.
void HousingGuide::onCmdVolgendeClicked()
{
    if (currentStep() < kStepCount)
        showStep(currentStep() + 1);
}

void HousingGuide::onCmdVorigeClicked()
{
    if (currentStep() > 1)
        showStep(currentStep() - 1);
}

void HousingGuide::onCmdCloseClicked()
{
    if (CheckDontShow->isChecked()) {
        state_.config.hideHousingGuide = 1;
        ReportFailedSave(this, state_.texts, WriteConfig(state_.config, state_.folder.configFile()));
    }
    close();
}

} // namespace pb
