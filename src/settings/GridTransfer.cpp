#include "settings/GridTransfer.h"

namespace pb {

void FileToSettings(RowValues& values)
{
    for (int r = 0; r < kGridRows; ++r)
        values.UnitSettings[r] = values.FileSettings[r];
}

void SettingsToFile(RowValues& values)
{
    for (int r = 0; r < kGridRows; ++r)
        values.FileSettings[r] = values.UnitSettings[r];
}

void SettingToGrid(GridModel& grid, RowValues& values, int row)
{
    if (!grid.shown(row))
        return;
    int16_t& value = values.UnitSettings[row];
    if (value < -1 || value >= grid.count(row))
        value = 0; // the list refuses the position: fall back to the first option
    grid.select(row, value);
}

void SettingsToGrid(GridModel& grid, RowValues& values)
{
    for (int r = 0; r < kGridRows; ++r)
        SettingToGrid(grid, values, r);
}

void GridToSettings(const GridModel& grid, RowValues& values)
{
    for (int r = 0; r < kGridRows; ++r) {
        if (grid.shown(r))
            values.UnitSettings[r] = int16_t(grid.position(r));
    }
}

void GridToSetting(const GridModel& grid, RowValues& values, int row)
{
    values.UnitSettings[row] = grid.shown(row) ? int16_t(grid.position(row)) : int16_t(0);
}

void ResetSettingsInUnit(RowValues& values)
{
    values.SettingsInUnit.fill(-1);
    values.ValueFromUnit.fill(-1);
}

} // namespace pb
