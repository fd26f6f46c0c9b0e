// The controls of the main window, at the positions of its fixed design.
// Positions on a tab page count from the tab control's top-left corner.
#include "ui/MainWindow.h"
#include "ui/Place.h"

#include <QFontDatabase>

namespace pb {

namespace {

QPushButton* placeButton(QWidget* parent, const QString& name, int x, int y, int w, int h,
                         const QString& caption = QString())
{
    auto* button = place<QPushButton>(parent, name, x, y, w, h);
    button->setText(caption);
    return button;
}

QLabel* placeLabel(QWidget* parent, const QString& name, int x, int y, int w, int h,
                   const QString& caption = QString())
{
    auto* label = place<QLabel>(parent, name, x, y, w, h);
    label->setText(caption);
    return label;
}

QGroupBox* placeFrame(QWidget* parent, const QString& name, int x, int y, int w, int h,
                      const QString& caption = QString())
{
    auto* frame = place<QGroupBox>(parent, name, x, y, w, h);
    frame->setTitle(caption);
    return frame;
}

// A list of the settings grid or the bleep codes. GridView makes it
// editable when its page is first shown: until then nobody can type in it.
QComboBox* placeGridList(QWidget* parent, const QString& name, int x, int y, int w, int h)
{
    auto* combo = place<QComboBox>(parent, name, x, y, w, h);
    // Typing in the text part chooses nothing and must never add options.
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

} // namespace

void MainWindow::buildCommunicationFrame(QWidget* client)
{
    FrmCommunicatie = placeFrame(client, QStringLiteral("FrmCommunicatie"), 8, 8, 201, 49);

    ShpTx = new Lamp(kTxDark, FrmCommunicatie);
    ShpTx->setObjectName(QStringLiteral("ShpTx"));
    ShpTx->setGeometry(16, 24, 17, 9);
    Label4[1] = placeLabel(FrmCommunicatie, arrayName("Label4", 1), 48, 24, 33, 17,
                           QStringLiteral("TxD"));

    ShpRx = new Lamp(kRxDark, FrmCommunicatie);
    ShpRx->setObjectName(QStringLiteral("ShpRx"));
    ShpRx->setGeometry(104, 24, 17, 9);
    Label4[2] = placeLabel(FrmCommunicatie, arrayName("Label4", 2), 128, 24, 33, 17,
                           QStringLiteral("RxD"));
}

void MainWindow::buildStatusPage(QWidget* page)
{
    for (int i = 0; i < kLogWindowLines; ++i) {
        Text2[i] = place<QLineEdit>(page, arrayName("Text2", i), 8, 56 + 16 * i, 713, 19);
        makeStaticText(Text2[i]);
    }
}

void MainWindow::buildSettingsPage(QWidget* page)
{
    FrameDebug1 = placeFrame(page, QStringLiteral("FrameDebug1"), 344, 64, 153, 489);
    FrameDebug2 = placeFrame(page, QStringLiteral("FrameDebug2"), 840, 32, 153, 529);

    for (int i = 0; i < kGridRows; ++i) {
        const bool left = i <= 12;
        const int comboX = left ? 16 : 512;
        const int comboY = 40 + 40 * (left ? i : i - 13);
        ComboInstellingen[i] =
            placeGridList(page, arrayName("ComboInstellingen", i), comboX, comboY, 321, 21);

        // Row 0's buttons stand on the page itself, so they stay usable
        // outside the service mode that shows the two frames.
        QWidget* parent = page;
        int x = 352, y = 40, writeX = 424;
        if (i != 0) {
            parent = left ? FrameDebug1 : FrameDebug2;
            x = 8;
            writeX = 80;
            y = 16 + 40 * (left ? i - 1 : i - 13);
        }
        CmdReadSingleSetting[i] =
            placeButton(parent, arrayName("CmdReadSingleSetting", i), x, y, 57, 25);
        CmdWriteSingleSetting[i] =
            placeButton(parent, arrayName("CmdWriteSingleSetting", i), writeX, y, 65, 25);
    }

    Line1 = place<QFrame>(page, QStringLiteral("Line1"), 504, 32, 1, 504);
    Line1->setFrameShape(QFrame::NoFrame);
    Line1->setAutoFillBackground(true);
    QPalette palette = Line1->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    Line1->setPalette(palette);
}

void MainWindow::buildFilePage(QWidget* page)
{
    FrameUnitInstellingen = placeFrame(page, QStringLiteral("FrameUnitInstellingen"), 16, 40, 337, 73);
    CmdInstellingenOpslaan =
        placeButton(FrameUnitInstellingen, QStringLiteral("CmdInstellingenOpslaan"), 16, 24, 145, 33);
    CmdInstellingenLezen =
        placeButton(FrameUnitInstellingen, QStringLiteral("CmdInstellingenLezen"), 176, 24, 145, 33);

    FrameAlleInstellingen = placeFrame(page, QStringLiteral("FrameAlleInstellingen"), 384, 40, 337, 73);
    CmdOpslaanUnitGegevens =
        placeButton(FrameAlleInstellingen, QStringLiteral("CmdOpslaanUnitGegevens"), 16, 24, 145, 33);
    CmdLezenUnitgegevens =
        placeButton(FrameAlleInstellingen, QStringLiteral("CmdLezenUnitgegevens"), 176, 24, 145, 33);
    buildReportFrame(page);
}

void MainWindow::buildUnitPage(QWidget* page)
{
    unitPage_ = page;
    page->installEventFilter(this);
    CmdWisLogVenster = placeButton(page, QStringLiteral("CmdWisLogVenster"), 32, 392, 225, 25);
    CmdCancelReadWrite = placeButton(page, QStringLiteral("CmdCancelReadWrite"), 32, 440, 225, 25);
    CmdLeesAlles = placeButton(page, QStringLiteral("CmdLeesAlles"), 744, 392, 225, 25);
    CmdSchrijfAlles = placeButton(page, QStringLiteral("CmdSchrijfAlles"), 744, 440, 225, 25);
}

QPlainTextEdit* MainWindow::TxtProgress()
{
    if (progress_)
        return progress_;
    progress_ = place<QPlainTextEdit>(unitPage_, QStringLiteral("TxtProgress"), 32, 40, 937, 337);
    progress_->setReadOnly(true);
    progress_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = progress_->palette();
    palette.setColor(QPalette::Text, QColor(0, 0, 255));
    progress_->setPalette(palette);
    // First on its page for the Tab key, as if it had been made with the page.
    QWidget::setTabOrder(CmdWisLogVenster->previousInFocusChain(), progress_);
    // A control added to a page on the screen must be shown; otherwise it
    // shows with its page.
    if (unitPage_->isVisible())
        progress_->show();
    return progress_;
}

void MainWindow::buildServicePage(QWidget* page)
{
    FramePagerOproepen = placeFrame(page, QStringLiteral("FramePagerOproepen"), 8, 32, 721, 113);
    QWidget* call = FramePagerOproepen;
    TxtLegendaTestOproepAdres =
        place<QLineEdit>(call, QStringLiteral("TxtLegendaTestOproepAdres"), 8, 32, 97, 19);
    makeStaticText(TxtLegendaTestOproepAdres);
    TxtTestPagerAdres = place<QLineEdit>(call, QStringLiteral("TxtTestPagerAdres"), 104, 32, 113, 19);
    TxtTestPagerAdres->setMaxLength(10);
    TxtLegendaTestOproepBleepcode =
        place<QLineEdit>(call, QStringLiteral("TxtLegendaTestOproepBleepcode"), 8, 56, 89, 19);
    makeStaticText(TxtLegendaTestOproepBleepcode);
    // Shown only for the unit types whose test call carries a bleep code.
    ComboTestBleepCode = placeGridList(call, QStringLiteral("ComboTestBleepCode"), 104, 56, 177, 21);
    ComboTestBleepCode->hide();
    TxtLegendaTestOproepBericht =
        place<QLineEdit>(call, QStringLiteral("TxtLegendaTestOproepBericht"), 8, 80, 89, 19);
    makeStaticText(TxtLegendaTestOproepBericht);
    TxtTestPagerDisplayInfo =
        place<QLineEdit>(call, QStringLiteral("TxtTestPagerDisplayInfo"), 104, 80, 177, 19);
    TxtTestPagerDisplayInfo->setMaxLength(40);
    CmdTestOproepPager = placeButton(call, QStringLiteral("CmdTestOproepPager"), 304, 56, 137, 41);

    // Why the unit does not answer, in the room the unbuilt service frames
    // below leave free: the check's lines appear as its steps run.
    FrameConnectionCheck = placeFrame(page, QStringLiteral("FrameConnectionCheck"), 8, 152, 721, 401,
                                      QStringLiteral("Connection check"));
    CmdCheckConnection = placeButton(FrameConnectionCheck, QStringLiteral("CmdCheckConnection"), 16, 24, 185, 25,
                                     QStringLiteral("Check the connection"));
    TxtCheckLines = place<QPlainTextEdit>(FrameConnectionCheck, QStringLiteral("TxtCheckLines"), 16, 56, 689, 329);
    TxtCheckLines->setReadOnly(true);
    TxtCheckLines->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont)); // the steps' names in a column
    TxtCheckLines->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    // Service functions the unit's firmware does not offer yet: built, never shown.
    FrameRestarts = placeFrame(page, QStringLiteral("FrameRestarts"), 8, 152, 721, 49,
                               QStringLiteral("Software restarts: "));
    LabRestarts = placeLabel(FrameRestarts, QStringLiteral("LabRestarts"), 16, 20, 417, 17);
    CmdLeesRestarts = placeButton(FrameRestarts, QStringLiteral("CmdLeesRestarts"), 448, 16, 121, 25,
                                  QStringLiteral("Lees"));
    CmdWisRestarts = placeButton(FrameRestarts, QStringLiteral("CmdWisRestarts"), 584, 16, 121, 25,
                                 QStringLiteral("Reset"));
    FrameRestarts->hide();

    FrameSoftwareVersie = placeFrame(page, QStringLiteral("FrameSoftwareVersie"), 8, 208, 721, 49,
                                     QStringLiteral("Software version: "));
    LabVersionSw = placeLabel(FrameSoftwareVersie, QStringLiteral("LabVersionSw"), 16, 20, 417, 17,
                              QStringLiteral("NB"));
    CmdReadSwVersion = placeButton(FrameSoftwareVersie, QStringLiteral("CmdReadSwVersion"), 448, 16,
                                   121, 25, QStringLiteral("Lees"));
    FrameSoftwareVersie->hide();

    FrameClearAll = placeFrame(page, QStringLiteral("FrameClearAll"), 8, 264, 721, 49,
                               QStringLiteral("Clear all settings in unit:  "));
    LabWisUnit = placeLabel(FrameClearAll, QStringLiteral("LabWisUnit"), 16, 20, 417, 17);
    CmdWisAlles = placeButton(FrameClearAll, QStringLiteral("CmdWisAlles"), 448, 16, 121, 25,
                              QStringLiteral("WIS"));
    FrameClearAll->hide();
}

} // namespace pb
