#include "app/Program.h"

#include "app/ApplySettings.h"
#include "app/Startup.h"
#include "app/WindowReport.h"
#include "link/ports/PortMap.h"
#include "link/devices/UnitPort.h"
#include "report/ReportPdf.h"
#include "texts/PortWording.h"
#include "texts/TextNumbers.h"
#include "ui/AboutBox.h"
#include "ui/SettingsDialog.h"
#include "ui/HousingGuide.h"
#include "ui/SaveFailureBox.h"

#include <QMessageBox>
#include <QPointer>
#include <utility>

namespace pb {

namespace {

QString ConfiguredPortName(const AppState& state)
{
    return QStringLiteral("Com%1").arg(state.config.portIndex + 1);
}

} // namespace

Program::Program(AppState& programState)
    : state(programState),
      window(programState),
      port(programState.logfile, PortWordsOf(programState.texts), programState.lamps, programState.portClock),
      view(window),
      engine({port, programState.logfile, programState.config.unitType}),
      driver({engine, programState.rows, programState.grid, programState.texts, programState.logfile,
              programState.config.unitType, view})
{
    window.rowPending = [this](int row) { return engine.rowPending(row); };
    port.onCaption = [this](const QString& caption) { window.FrmCommunicatie->setTitle(caption); };
    port.deviceName = [this](int portNumber) { return ResolvePort(portNumber, state.folder, state.presentPorts); };
    port.presentPorts = [this] { return state.presentPorts(); };
    QObject::connect(window.TmrAfhandel, &QTimer::timeout, &window, [this] { Tick(); });
    QObject::connect(&window, &MainWindow::closePortRequested, &window, [this] { port.CloseComPort(); });
    connectControls();
}

// The secondary windows free themselves when closed.
void Program::ShowSettingsDialog()
{
    auto* dialog = new SettingsDialog(state, &window);
    // The dialog may close while its check runs: its lines then go nowhere.
    QObject::connect(dialog, &SettingsDialog::checkRequested, dialog, [this, dialog] {
        if (checking())
            return;
        dialog->clearCheckLines();
        CheckConnection(dialog->SelectedTarget(), [dialog = QPointer<SettingsDialog>(dialog)](const QString& line) {
            if (dialog)
                dialog->showCheckLine(line);
        });
    });
    QObject::connect(dialog, &SettingsDialog::saveRequested, dialog, [this, dialog] {
        ApplySettings(state, window, *dialog,
                      {[this] { port.CloseComPort(); }, [this] { OpenConfiguredPort(); },
                       [this] { engine.dropAll(); }});
    });
    dialog->show();
}

void Program::SaveReport()
{
    window.rememberReportFields();
    const QString path = window.chooseReportFile();
    if (!path.isEmpty())
        ReportFailedSave(&window, state.texts, WriteReport(path));
}

WriteOutcome Program::WriteReport(const QString& path)
{
    const QString device = port.deviceName(state.config.portIndex + 1).device;
    const ReportContent content = MakeReport(WindowReportInputs(state, device, driver.lastCall()));
    return WriteReportPdf(path, content, state.texts);
}

void Program::ShowAbout()
{
    (new AboutBox(state, window))->show();
}

void Program::ShowGuide()
{
    (new HousingGuide(state, &window))->show();
}

void Program::Tick()
{
    if (check_) {
        check_->tick();
        if (check_->finished())
            endCheck();
        return;
    }
    driver.tick();
    port.Tick();
}

void Program::CheckConnection()
{
    window.TxtCheckLines->clear();
    CheckConnection(TargetOf(ConfiguredPortName(state), state.folder),
                    [this](const QString& line) { window.TxtCheckLines->appendPlainText(line); });
}

void Program::CheckConnection(const CheckTarget& target, std::function<void(const QString& line)> line)
{
    if (check_)
        return;
    const QString programDevice = TargetOf(ConfiguredPortName(state), state.folder).device.device;
    portClosedForCheck_ = target.device.device == programDevice;
    if (portClosedForCheck_)
        port.CloseComPort();
    check_ = std::make_unique<WindowCheck>(state, target, std::move(line));
    check_->start();
    if (check_->finished())
        endCheck();
}

void Program::endCheck()
{
    check_.reset();
    if (std::exchange(portClosedForCheck_, false))
        OpenConfiguredPort();
}

void Program::load()
{
    StartProgram(*this);
    window.ArmDisplayTimer();
}

int16_t Program::OpenConfiguredPort()
{
    const int16_t result = OpenUnitPort(port, state.config.portIndex);
    // The engine starts with the first port that opens: at start-up, or
    // later from the settings dialog when the port was missing or busy at
    // start-up. Otherwise the buttons would stay dead until a restart.
    if (result >= 0 && !engine.started()) {
        // What was asked for while there was no port was asked of another
        // grid: the settings dialog's Save loads the default settings before
        // it opens the port, so a write would send values nobody chose.
        engine.dropAll();
        engine.start();
    }
    return result;
}

// The controls whose work goes beyond the window: the unit's operations and
// the other windows. The window wires the rest itself (file dialogs, tabs,
// the service labels, Quit).
void Program::connectControls()
{
    QObject::connect(window.Setup, &QAction::triggered, &window, [this] { ShowSettingsDialog(); });
    QObject::connect(window.About, &QAction::triggered, &window, [this] { ShowAbout(); });
    for (int row = 0; row < kGridRows; ++row) {
        QObject::connect(window.CmdReadSingleSetting[row], &QPushButton::clicked, &window,
                         [this, row] { driver.ReadSingleSetting(row); });
        QObject::connect(window.CmdWriteSingleSetting[row], &QPushButton::clicked, &window,
                         [this, row] { driver.WriteSingleSetting(row); });
    }
    QObject::connect(window.CmdLeesAlles, &QPushButton::clicked, &window, [this] { driver.ReadAll(); });
    QObject::connect(window.CmdSchrijfAlles, &QPushButton::clicked, &window, [this] { onCmdSchrijfAllesClicked(); });
    QObject::connect(window.CmdCancelReadWrite, &QPushButton::clicked, &window, [this] { driver.Cancel(); });
    QObject::connect(window.CmdWisLogVenster, &QPushButton::clicked, &window, [this] { driver.ClearProgress(); });
    QObject::connect(window.CmdCheckConnection, &QPushButton::clicked, &window, [this] { CheckConnection(); });
    QObject::connect(window.CmdSaveReport, &QPushButton::clicked, &window, [this] { SaveReport(); });
    QObject::connect(window.CmdTestOproepPager, &QPushButton::clicked, &window,
                     [this] { onCmdTestOproepPagerClicked(); });
}

void Program::onCmdSchrijfAllesClicked()
{
    if (window.confirm(driver.WriteAllQuestion()))
        driver.WriteAll();
}

void Program::onCmdTestOproepPagerClicked()
{
    if (driver.TestCall())
        return;
    QMessageBox box(QMessageBox::Critical, state.texts[TxtProgramTitle], state.texts[TxtEnterValidPagerNumber], QMessageBox::Ok, &window);
    box.exec();
}

} // namespace pb
