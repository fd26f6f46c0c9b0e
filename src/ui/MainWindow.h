#pragma once
// The main window: serial lamps, the five-page tab control (message window,
// settings grid, settings files, read/write all, service), the menu bar and
// the four timers that drive everything that happens without a click.
#include "app/AppState.h"
#include "ui/GridView.h"
#include "ui/Lamp.h"
#include "ui/TabControl.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <array>
#include <functional>

namespace pb {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppState& state, QWidget* parent = nullptr);

    // The last step of the window's load: the one-shot timer that loads the
    // default settings again once the window is up.
    void ArmDisplayTimer();
    // Message box with OK and Cancel under the program's title; any answer
    // but Cancel counts as yes.
    bool confirm(const QString& question);
    // Puts the texts of the active language on every translated caption.
    void applyTexts();
    // Copies the 25 lines of the message buffer into the message window.
    void UpdateMessageWindow();
    // The service frames and "Save as default" are there at service level 2
    // only; 0 and 1 hide them.
    void ShowServiceLevel(int16_t level);
    // The report fields as the per-user settings hold them.
    void showReportFields();
    // The report fields into the per-user settings, when they changed.
    void rememberReportFields();
    // The PDF file dialog; an empty result means cancelled.
    QString chooseReportFile();

    SettingsGrid grid() const;

    // Menu bar
    QAction* Setup;
    QAction* Quit;
    QAction* About;

    // On the window
    QGroupBox* FrmCommunicatie;
    Lamp* ShpTx;
    Lamp* ShpRx;
    std::array<QLabel*, 3> Label4{}; // the control array starts at 1
    TabControl* SSTab1;

    // Tab 0: message window
    std::array<QLineEdit*, kLogWindowLines> Text2{};

    // Tab 1: settings grid
    std::array<QComboBox*, kGridRows> ComboInstellingen{};
    std::array<QPushButton*, kGridRows> CmdReadSingleSetting{};
    std::array<QPushButton*, kGridRows> CmdWriteSingleSetting{};
    QGroupBox* FrameDebug1;
    QGroupBox* FrameDebug2;
    QFrame* Line1;

    // Tab 2: settings files
    QGroupBox* FrameUnitInstellingen;
    QPushButton* CmdInstellingenOpslaan;
    QPushButton* CmdInstellingenLezen;
    QGroupBox* FrameAlleInstellingen;
    QPushButton* CmdOpslaanUnitGegevens;
    QPushButton* CmdLezenUnitgegevens;
    // Tab 2: the commissioning report (MainWindowReport.cpp)
    QGroupBox* FrameReport;
    QLabel* LabTechnician;
    QLineEdit* TxtTechnician;
    QLabel* LabSite;
    QLineEdit* TxtSite;
    QPushButton* CmdSaveReport;

    // Tab 3: read and write all. The progress text is made when first
    // needed (the first text, or the first show of the tab): a text editor
    // costs nearly a megabyte that the start need not pay.
    QPlainTextEdit* TxtProgress();
    QPushButton* CmdWisLogVenster;
    QPushButton* CmdCancelReadWrite;
    QPushButton* CmdLeesAlles;
    QPushButton* CmdSchrijfAlles;

    // Tab 4: test call
    QGroupBox* FramePagerOproepen;
    QLineEdit* TxtLegendaTestOproepAdres;
    QLineEdit* TxtTestPagerAdres;
    QLineEdit* TxtLegendaTestOproepBleepcode;
    QComboBox* ComboTestBleepCode;
    QLineEdit* TxtLegendaTestOproepBericht;
    QLineEdit* TxtTestPagerDisplayInfo;
    QPushButton* CmdTestOproepPager;

    // Tab 4: service frames that stay hidden
    QGroupBox* FrameRestarts;
    QLabel* LabRestarts;
    QPushButton* CmdLeesRestarts;
    QPushButton* CmdWisRestarts;
    QGroupBox* FrameSoftwareVersie;
    QLabel* LabVersionSw;
    QPushButton* CmdReadSwVersion;
    QGroupBox* FrameConnectionCheck;
    QPushButton* CmdCheckConnection;
    QPlainTextEdit* TxtCheckLines;
    QGroupBox* FrameClearAll;
    QLabel* LabWisUnit;
    QPushButton* CmdWisAlles;

    // Timers
    QTimer* TmrAfhandel;
    QTimer* TmrUpdateVensters;
    QTimer* LedTimer;
    QTimer* TimerDisplayInstellingen;

    // What waits for the unit, so that the grid's colouring leaves those
    // rows alone; set by the program, which owns the engine.
    std::function<bool(int row)> rowPending;

signals:
    // The serial port must be closed: the program is about to end.
    void closePortRequested();
    // The one-shot timer after the load: time to load the default settings.
    void displaySettingsRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void onQuitClicked();
    void onSSTab1Clicked(int previousTab);
    void onTmrUpdateVenstersTimeout();
    void onLedTimerTimeout();
    void onTimerDisplayInstellingenTimeout();
    void onCmdInstellingenLezenClicked();
    void onCmdInstellingenOpslaanClicked();
    void onCmdLezenUnitgegevensClicked();
    void onCmdOpslaanUnitGegevensClicked();

private:
    void colourGrid();
    void buildCommunicationFrame(QWidget* client);
    void buildStatusPage(QWidget* page);
    void buildSettingsPage(QWidget* page);
    void buildFilePage(QWidget* page);
    void buildReportFrame(QWidget* page);
    void applyReportTexts();
    void buildUnitPage(QWidget* page);
    void buildServicePage(QWidget* page);
    void buildTimers();
    void connectFileButtons();
    void connectServiceButtons();
    void onCmdWisAllesClicked();
    // The settings-file dialog; an empty result means cancelled.
    QString chooseSettingsFile(QFileDialog::AcceptMode mode, const QString& presetName);

    AppState& state_;
    QWidget* unitPage_ = nullptr;
    QPlainTextEdit* progress_ = nullptr;
    bool centred_ = false;
    uint32_t shownLogChanges_ = 0; // the message buffer's count when last copied
};

} // namespace pb
