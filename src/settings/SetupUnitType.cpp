#include "settings/SetupUnitType.h"

#include "settings/UnitCatalogue.h"
#include "settings/UnitTypes.h"

namespace pb {

int16_t SetupUnitType(SettingsGrid& grid, const TextTable& Tekst, int16_t unitType)
{
    for (int r = 0; r < kGridRows; ++r) {
        grid.ComboInstellingen[r]->clear();
        grid.ComboInstellingen[r]->hide();
        grid.CmdReadSingleSetting[r]->hide();
        grid.CmdWriteSingleSetting[r]->hide();
    }
    grid.FramePagerOproepen->hide();

    const GridDefinition rows = GridRows(unitType, Tekst);
    for (int r = 0; r < kGridRows; ++r) {
        const RowDefinition& def = rows[r];
        QComboBox* combo = grid.ComboInstellingen[r];
        if (def.state == RowState::Shown || def.state == RowState::Hidden) {
            const bool shown = def.state == RowState::Shown;
            combo->setVisible(shown);
            grid.CmdReadSingleSetting[r]->setVisible(shown);
            grid.CmdWriteSingleSetting[r]->setVisible(shown);
        }
        combo->addItems(def.options);
        // Adding to an empty list selects the first item; the grid starts unselected.
        combo->setCurrentIndex(-1);
    }

    if (unitType == kUnitTypeWithTestCall) {
        grid.ComboTestBleepCode->clear();
        grid.ComboTestBleepCode->addItems(BleepCodeOptions());
        grid.ComboTestBleepCode->setCurrentIndex(kDefaultBleepCodePosition);
        grid.ComboTestBleepCode->show();
        grid.FramePagerOproepen->show();
    }
    return 0;
}

} // namespace pb
