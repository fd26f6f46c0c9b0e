#include "ui/AboutBox.h"

#include "texts/TextNumbers.h"
#include "ui/MainWindow.h"
#include "ui/Place.h"

#include <QEvent>
#include <QPixmap>

namespace pb {

namespace {

constexpr int kClientWidth = 399;
constexpr int kClientHeight = 167;
constexpr int16_t kHighestServiceLevel = 2;

const QColor kDetailsBlue(0, 0, 192);

QLabel* placeText(QWidget* parent, const QString& name, int x, int y, int w, int h, const QColor& colour)
{
    auto* label = place<QLabel>(parent, name, x, y, w, h);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace

AboutBox::AboutBox(AppState& state, MainWindow& main)
    : SecondaryWindow(&main, kClientWidth, kClientHeight), state_(state), main_(main)
{
    setObjectName(QStringLiteral("frmAbout"));

    FrameLogo = place<QGroupBox>(this, QStringLiteral("FrameLogo"), 8, 0, 385, 105);
    Image1 = place<QLabel>(FrameLogo, QStringLiteral("Image1"), 8, 8, 183, 92);
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap(QStringLiteral(":/assets/logo.jpg")));
    LabelMaker = placeText(FrameLogo, QStringLiteral("LabelMaker"), 200, 56, 177, 17, kDetailsBlue);
    LabelMaker->setText(QStringLiteral("Pagerbench service tools"));
    LabelWeb = placeText(FrameLogo, QStringLiteral("LabelWeb"), 200, 72, 177, 17, kDetailsBlue);
    LabelWeb->setText(QStringLiteral("www.pagerbench.example"));

    Label4 = placeText(this, QStringLiteral("Label4"), 16, 112, 249, 17, Qt::black);
    CmdSluit = place<QPushButton>(this, QStringLiteral("CmdSluit"), 296, 128, 97, 33);
    connect(CmdSluit, &QPushButton::clicked, this, &AboutBox::onCmdSluitClicked);

    // The logo and the details cover most of the frame: a double-click on
    // any of them counts as one on the frame.
    for (QWidget* part : {static_cast<QWidget*>(FrameLogo), static_cast<QWidget*>(Image1),
                          static_cast<QWidget*>(LabelMaker), static_cast<QWidget*>(LabelWeb)})
        part->installEventFilter(this);

    load();
}

void AboutBox::load()
{
    const TextTable& t = state_.texts;
    CmdSluit->setText(t[TxtClose]);
    setWindowTitle(t[TxtAbout]);
    Label4->setText(t[TxtSwVersion] + QStringLiteral(" ") + QString::number(kVersionMajor) + QStringLiteral(".") +
                    QString::number(kVersionMinor));
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        onFrameLogoDoubleClicked();
        return true;
    }
    return SecondaryWindow::eventFilter(watched, event);
}

void AboutBox::onFrameLogoDoubleClicked()
{
    int16_t level = static_cast<int16_t>(state_.serviceLevel + 1);
    if (level > kHighestServiceLevel)
        level = 0;
    state_.serviceLevel = level;
    // Not stored: the level lasts until the program ends.
    main_.ShowServiceLevel(level);
}

void AboutBox::onCmdSluitClicked()
{
    close();
}

} // namespace pb
