#include "ui/MainWindow.h"

#include "files/SettingsFile.h"
#include "ui/MainTabs.h"
#include "texts/CheckWording.h"
#include "texts/TextNumbers.h"
#include "ui/CaptionFit.h"
#include "ui/GridColouring.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>

namespace pb {

namespace {

constexpr int kClientWidth = 1016;
constexpr int kClientHeight = 660;

QAction* menuEntry(QMenuBar* bar, const char* name)
{
    QAction* action = bar->addAction(QString());
    action->setObjectName(QLatin1String(name));
    return action;
}

// One tick of a lamp's handshake with the serial layer: activity lights the
// lamp for one tick, the next tick darkens it and takes the activity as seen.
void blink(int16_t& active, int16_t& lit, Lamp* lamp, const QColor& dark, const QColor& bright)
{
    if (active != kTrue)
        return;
    if (lit != kFalse) {
        lit = kFalse;
        active = kFalse;
        lamp->setColor(dark);
    } else {
        lit = kTrue;
        lamp->setColor(bright);
    }
}

} // namespace

MainWindow::MainWindow(AppState& state, QWidget* parent)
    : QMainWindow(parent), state_(state)
{
    setObjectName(QStringLiteral("frmHoofdscherm"));
    // Title bar and taskbar; the secondary windows take it from their parent.
    setWindowIcon(QIcon(QStringLiteral(":/icons/pagerbench.png")));

    QMenuBar* bar = menuBar();
    Setup = menuEntry(bar, "Setup");
    Quit = menuEntry(bar, "Quit");
    About = menuEntry(bar, "About");
    connect(Quit, &QAction::triggered, this, &MainWindow::onQuitClicked);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    buildCommunicationFrame(client);

    SSTab1 = new TabControl(kTabCount, client);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setGeometry(8, 64, 1001, 569);
    buildStatusPage(SSTab1->page(StatusTab));
    buildSettingsPage(SSTab1->page(SettingsTab));
    buildFilePage(SSTab1->page(FileTab));
    buildUnitPage(SSTab1->page(UnitTab));
    buildServicePage(SSTab1->page(ServiceTab));
    SSTab1->setCurrentIndex(SettingsTab);
    connect(SSTab1, &TabControl::tabClicked, this, &MainWindow::onSSTab1Clicked);

    new GridView(grid(), state_.grid, this);

    buildTimers();
    connectFileButtons();
    connectServiceButtons();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (centred_)
        return;
    centred_ = true;
    // The menu bar takes its height from its captions, set after construction:
    // settle the fixed size first, then centre the window on its screen.
    layout()->activate();
    if (QScreen* screen = this->screen())
        move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, frameGeometry().size(),
                                 screen->availableGeometry())
                 .topLeft());
}

void MainWindow::buildTimers()
{
    TmrAfhandel = new QTimer(this);
    TmrAfhandel->setObjectName(QStringLiteral("TmrAfhandel"));
    TmrAfhandel->setTimerType(Qt::PreciseTimer);
    TmrAfhandel->setInterval(25);

    TmrUpdateVensters = new QTimer(this);
    TmrUpdateVensters->setObjectName(QStringLiteral("TmrUpdateVensters"));
    TmrUpdateVensters->setInterval(100);
    connect(TmrUpdateVensters, &QTimer::timeout, this, &MainWindow::onTmrUpdateVenstersTimeout);

    LedTimer = new QTimer(this);
    LedTimer->setObjectName(QStringLiteral("LedTimer"));
    LedTimer->setInterval(250);
    connect(LedTimer, &QTimer::timeout, this, &MainWindow::onLedTimerTimeout);

    // Armed by the load, with its interval; fires once.
    TimerDisplayInstellingen = new QTimer(this);
    TimerDisplayInstellingen->setObjectName(QStringLiteral("TimerDisplayInstellingen"));
    TimerDisplayInstellingen->setSingleShot(true);
    connect(TimerDisplayInstellingen, &QTimer::timeout, this,
            &MainWindow::onTimerDisplayInstellingenTimeout);

    TmrAfhandel->start();
    TmrUpdateVensters->start();
    LedTimer->start();
}

SettingsGrid MainWindow::grid() const
{
    SettingsGrid view;
    view.ComboInstellingen = ComboInstellingen;
    view.CmdReadSingleSetting = CmdReadSingleSetting;
    view.CmdWriteSingleSetting = CmdWriteSingleSetting;
    view.FramePagerOproepen = FramePagerOproepen;
    view.ComboTestBleepCode = ComboTestBleepCode;
    view.model = &state_.grid;
    return view;
}

void MainWindow::applyTexts()
{
    const TextTable& t = state_.texts;
    const QString colon = QStringLiteral(":");
    const QString colonBlank = QStringLiteral(": ");

    Setup->setText(t[TxtSettings]);
    Quit->setText(t[TxtQuit]);
    About->setText(t[TxtAbout]);
    FrmCommunicatie->setTitle(t[TxtComPort] + colonBlank);
    setWindowTitle(QStringLiteral(" ") + t[TxtProgramTitle]);

    SSTab1->setTabText(StatusTab, t[TxtStatus]);
    SSTab1->setTabText(SettingsTab, t[TxtSettings]);
    SSTab1->setTabText(FileTab, t[TxtFile]);
    SSTab1->setTabText(UnitTab, t[TxtUnit]);
    SSTab1->setTabText(ServiceTab, t[TxtService]);

    for (int i = 0; i < kGridRows; ++i) {
        CmdReadSingleSetting[i]->setText(t[TxtRead]);
        CmdWriteSingleSetting[i]->setText(t[TxtWrite]);
    }

    CmdInstellingenOpslaan->setText(t[TxtSaveAsDefault]);
    CmdInstellingenLezen->setText(t[TxtReadDefaultFromFile]);
    CmdOpslaanUnitGegevens->setText(t[TxtSaveToFile]);
    CmdLezenUnitgegevens->setText(t[TxtReadFromFile]);
    FrameUnitInstellingen->setTitle(t[TxtUnitSettings] + colonBlank);
    FrameAlleInstellingen->setTitle(t[TxtAllSettings] + colonBlank);
    applyReportTexts();

    CmdWisLogVenster->setText(t[TxtClearMessageWindow]);
    CmdCancelReadWrite->setText(t[TxtCancelReadWrite]);
    CmdLeesAlles->setText(t[TxtReadAllFromUnit]);
    CmdSchrijfAlles->setText(t[TxtWriteAllToUnit]);

    FramePagerOproepen->setTitle(t[TxtCallPager] + colonBlank);
    FrameConnectionCheck->setTitle(CheckControlText(CheckControl::FrameTitle, state_.config.language));
    CmdCheckConnection->setText(CheckControlText(CheckControl::CheckButton, state_.config.language));
    TxtLegendaTestOproepAdres->setText(t[TxtAddress] + colon);
    TxtLegendaTestOproepBleepcode->setText(t[TxtBleepcode] + colon);
    TxtLegendaTestOproepBericht->setText(t[TxtMessage]);
    CmdTestOproepPager->setText(t[TxtSent]);
    FitCaptions(*this);
}

void MainWindow::UpdateMessageWindow()
{
    shownLogChanges_ = state_.log.changes;
    for (int i = 0; i < kLogWindowLines; ++i)
        Text2[i]->setText(state_.log.lines[i]);
}

void MainWindow::ShowServiceLevel(int16_t level)
{
    const bool service = level == 2;
    FrameDebug1->setVisible(service);
    FrameDebug2->setVisible(service);
    CmdInstellingenOpslaan->setEnabled(service);
}

void MainWindow::onQuitClicked()
{
    QMessageBox box(QMessageBox::NoIcon, state_.texts[TxtProgramTitle], state_.texts[TxtSureToLeave],
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    if (box.exec() == QMessageBox::Cancel)
        return;
    emit closePortRequested();
    QCoreApplication::exit(0);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing by the window frame asks nothing; the port still gets closed.
    emit closePortRequested();
    QMainWindow::closeEvent(event);
}

void MainWindow::onSSTab1Clicked(int)
{
    if (SSTab1->currentIndex() != SettingsTab)
        return;
    // No row of the grid should show highlighted text, hidden rows included.
    for (QComboBox* combo : ComboInstellingen) {
        if (QLineEdit* edit = combo->lineEdit())
            edit->deselect();
    }
    // The colouring rests while the grid is out of sight: catch up at once.
    colourGrid();
}

void MainWindow::onTmrUpdateVenstersTimeout()
{
    if (SSTab1->currentIndex() == SettingsTab)
        colourGrid();
}

// A row waiting for the unit keeps its colour until it is served.
void MainWindow::colourGrid()
{
    ColourSettingsGrid(grid(), state_.rows, rowPending);
}

void MainWindow::onLedTimerTimeout()
{
    if (state_.config.logging > 0 && state_.log.changes != shownLogChanges_)
        UpdateMessageWindow();
    LampFlags& lamps = state_.lamps;
    blink(lamps.sending, lamps.txLampOn, ShpTx, kTxDark, kTxLit);
    blink(lamps.receiving, lamps.rxLampOn, ShpRx, kRxDark, kRxLit);
}

void MainWindow::ArmDisplayTimer()
{
    TimerDisplayInstellingen->setInterval(10);
    TimerDisplayInstellingen->start();
}

void MainWindow::onTimerDisplayInstellingenTimeout()
{
    TimerDisplayInstellingen->stop();
    ReadDefaultSettings(state_.folder, state_.grid, state_.rows);
    emit displaySettingsRequested();
}

} // namespace pb
