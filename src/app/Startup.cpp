#include "app/Startup.h"

#include "files/ConfigFile.h"
#include "app/Program.h"
#include "files/SettingsFile.h"
#include "ui/MainTabs.h"
#include "log/LogBuffer.h"
#include "settings/GridTransfer.h"
#include "settings/SetupUnitType.h"
#include "ui/FrmHoofdscherm.h"

namespace pb {

int16_t DebugLevelFromCommandLine(const QString& commandLine)
{
    int16_t level = 0;
    if (commandLine.contains(QStringLiteral("/LOG"), Qt::CaseSensitive))
        level = 1;
    if (commandLine.contains(QStringLiteral("/DEBUG"), Qt::CaseSensitive))
        level = 2;
    return level;
}

void StartProgramma(Program& program)
{
    AppState& state = program.state;
    FrmHoofdscherm& window = program.window;
    state.DebugLevel = DebugLevelFromCommandLine(state.commandLine);
    // The window opens on the message window. Chosen before the grid is
    // built, so its lists are filled when the Settings tab is first shown.
    ZetDebugMode(state, window);
    ClearLogLines(state.log);
    window.UpdateMessageWindow();
    LeesConfig(state.config, state.folder.configFileToRead());
    LaadTeksten(state.Tekst, state.config.Taal);
    SetupUnitType(state.grid, state.Tekst, state.config.UnitType);
    LeesDefault(state.folder, state.grid, state.rows);
    window.SetTeksten();
    program.OpenConfiguredPort(); // starts the engine when the port opens
    ResetSettingsInUnit(state.rows);
    program.engine.cancelRows();
    // Logging is on from here for the rest of the run, whatever the file said.
    state.config.LogfileAan = 2;
    if (state.config.CaseDontShow == 0)
        program.ShowGuide();
}

void ZetDebugMode(AppState& state, FrmHoofdscherm& window)
{
    window.ShowServiceLevel(state.DebugLevel);
    window.SSTab1->setTabEnabled(ServiceTab, true);
    window.SSTab1->setCurrentIndex(StatusTab);
}

} // namespace pb
