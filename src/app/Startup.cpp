#include "app/Startup.h"

#include "files/ConfigFile.h"
#include "app/Program.h"
#include "files/SettingsFile.h"
#include "ui/MainTabs.h"
#include "log/LogBuffer.h"
#include "settings/GridTransfer.h"
#include "settings/SetupUnitType.h"
#include "ui/MainWindow.h"

namespace pb {

int16_t ServiceLevelFromCommandLine(const QString& commandLine)
{
    int16_t level = 0;
    if (commandLine.contains(QStringLiteral("/LOG"), Qt::CaseSensitive))
        level = 1;
    if (commandLine.contains(QStringLiteral("/DEBUG"), Qt::CaseSensitive))
        level = 2;
    return level;
}

void StartProgram(Program& program)
{
    AppState& state = program.state;
    MainWindow& window = program.window;
    state.serviceLevel = ServiceLevelFromCommandLine(state.commandLine);
    // The window opens on the message window. Chosen before the grid is
    // built, so its lists are filled when the Settings tab is first shown.
    ApplyServiceLevel(state, window);
    ClearLogLines(state.log);
    window.UpdateMessageWindow();
    ReadConfig(state.config, state.folder.configFileToRead());
    state.reportFields = ReadReportFields(state.folder.reportFieldsFile());
    window.showReportFields();
    LoadTexts(state.texts, state.config.language);
    SetupUnitType(state.grid, state.texts, state.config.unitType);
    ReadDefaultSettings(state.folder, state.grid, state.rows);
    window.applyTexts();
    program.OpenConfiguredPort(); // starts the engine when the port opens
    ResetSettingsInUnit(state.rows);
    program.engine.cancelRows();
    // Logging is on from here for the rest of the run, whatever the file said.
    state.config.logging = 2;
    if (state.config.hideHousingGuide == 0)
        program.ShowGuide();
}

void ApplyServiceLevel(AppState& state, MainWindow& window)
{
    window.ShowServiceLevel(state.serviceLevel);
    window.SSTab1->setTabEnabled(ServiceTab, true);
    window.SSTab1->setCurrentIndex(StatusTab);
}

} // namespace pb
