#include "app/ApplySettings.h"

#include "files/ConfigFile.h"
#include "files/PortsFile.h"
#include "files/SettingsFile.h"
#include "settings/GridTransfer.h"
#include "settings/SetupUnitType.h"
#include "ui/FrmHoofdscherm.h"
#include "ui/FrmInstellingen.h"
#include "ui/SaveFailureBox.h"

namespace pb {

void ApplySettings(AppState& state, FrmHoofdscherm& window, FrmInstellingen& dialog, const PortControl& port)
{
    // Logging is on since start-up, so the file now holds 2 for it. The
    // values hold for the rest of the run whether or not the file was written.
    const WriteOutcome saved = SchrijfConfig(state.config, state.folder.configFile());
    // Before the port opens, so that it opens the device now named.
    const WriteOutcome portsSaved = WritePortEntry(state.folder, dialog.SelectedPortEntry());

    SetupUnitType(state.grid, state.Tekst, state.config.UnitType);
    LeesDefault(state.folder, state.grid, state.rows);
    if (port.dropRequests)
        port.dropRequests();

    if (port.close)
        port.close();
    if (port.open)
        port.open();

    // A copy: loading the texts never changes the configured language.
    int16_t language = state.config.Taal;
    LaadTeksten(state.Tekst, language);
    window.SetTeksten();
    dialog.SetTeksten();

    SetupUnitType(state.grid, state.Tekst, state.config.UnitType);
    SettingsToGrid(state.grid, state.rows);
    ReportFailedSave(&dialog, state.Tekst, saved);
    ReportFailedSave(&dialog, state.Tekst, portsSaved);
}

} // namespace pb
