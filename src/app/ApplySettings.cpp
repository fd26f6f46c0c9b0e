#include "app/ApplySettings.h"

#include "files/ConfigFile.h"
#include "files/PortsFile.h"
#include "files/SettingsFile.h"
#include "settings/GridTransfer.h"
#include "settings/SetupUnitType.h"
#include "ui/MainWindow.h"
#include "ui/SettingsDialog.h"
#include "ui/SaveFailureBox.h"

namespace pb {

void ApplySettings(AppState& state, MainWindow& window, SettingsDialog& dialog, const PortControl& port)
{
    // Logging is on since start-up, so the file now holds 2 for it. The
    // values hold for the rest of the run whether or not the file was written.
    const WriteOutcome saved = WriteConfig(state.config, state.folder.configFile());
    // Before the port opens, so that it opens the device now named.
    const WriteOutcome portsSaved = WritePortEntry(state.folder, dialog.SelectedPortEntry());

    SetupUnitType(state.grid, state.texts, state.config.unitType);
    ReadDefaultSettings(state.folder, state.grid, state.rows);
    if (port.dropRequests)
        port.dropRequests();

    if (port.close)
        port.close();
    if (port.open)
        port.open();

    // A copy: loading the texts never changes the configured language.
    int16_t language = state.config.language;
    LoadTexts(state.texts, language);
    window.applyTexts();
    dialog.applyTexts();

    SetupUnitType(state.grid, state.texts, state.config.unitType);
    SettingsToGrid(state.grid, state.rows);
    ReportFailedSave(&dialog, state.texts, saved);
    ReportFailedSave(&dialog, state.texts, portsSaved);
}

} // namespace pb
