#include "settings/SetupUnitType.h"

#include "settings/UnitCatalogue.h"
#include "settings/UnitTypes.h"

namespace pb {

int16_t SetupUnitType(GridModel& grid, const TextTable& texts, int16_t unitType)
{
    const GridDefinition rows = GridRows(unitType, texts);
    for (int r = 0; r < kGridRows; ++r)
        grid.setRow(r, rows[r].state == RowState::Shown, rows[r].options);

    if (unitType == kUnitTypeWithTestCall)
        grid.setCallPanel(true, BleepCodeOptions(), kDefaultBleepCodePosition);
    else
        grid.setCallPanel(false);
    return 0;
}

} // namespace pb
