#pragma once
// The running program: the state, the serial port, the protocol engine and
// the main window, wired together. main() builds one; a test builds its own.
#include "app/AppState.h"
#include "app/UnitDriver.h"
#include "app/WindowCheck.h"
#include "files/TextFile.h"
#include "link/devices/Datacom.h"
#include "link/protocol/ProtocolEngine.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowView.h"

#include <memory>

namespace pb {

class Program {
public:
    explicit Program(AppState& state);

    // The main window's load: the start-up sequence, then the delayed second
    // load of the default settings. Runs before the window is shown.
    void load();

    // Opens the configured port at 19200,N,8,1 without handshake; the first
    // port that opens starts the engine.
    int16_t OpenConfiguredPort();
    // Runs the connection check on the configured port, its lines in the
    // Service tab.
    void CheckConnection();
    // Runs it on `target`, telling each line. When the target is the
    // program's own port, that is closed meanwhile and opened again when
    // the check ends; the engine's requests wait either way.
    void CheckConnection(const CheckTarget& target, std::function<void(const QString& line)> line);
    bool checking() const { return check_ != nullptr; }

    // One tick of TmrAfhandel: the engine's step, and the port's reopening;
    // while a check runs, the check's step instead.
    void Tick();

    // "Save report…": asks for the file, writes the report there, and says
    // so in a box when it could not be written.
    void SaveReport();
    // The report of the grid as it stands, the port and the last test call.
    WriteOutcome WriteReport(const QString& path);

    void ShowSettingsDialog();
    void ShowAbout();
    void ShowGuide();

    AppState& state;
    MainWindow window;
    Datacom port;
    MainWindowView view;
    ProtocolEngine engine;
    UnitDriver driver;

private:
    void connectControls();
    void endCheck();

    std::unique_ptr<WindowCheck> check_;
    bool portClosedForCheck_ = false;
    void onCmdSchrijfAllesClicked();
    void onCmdTestOproepPagerClicked();
};

} // namespace pb
