#pragma once
// Moving row values between the grid and memory. Hidden rows take no part,
// except where noted, so their values pass through files unchanged.
#include "settings/GridModel.h"
#include "settings/RowValues.h"

namespace pb {

void FileToSettings(RowValues& values);
void SettingsToFile(RowValues& values);

// Shows UnitSettings in the visible rows; a position the list cannot show
// becomes 0 in memory and in the list.
void SettingsToGrid(GridModel& grid, RowValues& values);
void SettingToGrid(GridModel& grid, RowValues& values, int row);

// Takes the selected positions of the visible rows into UnitSettings.
void GridToSettings(const GridModel& grid, RowValues& values);
// One row; a hidden row's value becomes 0.
void GridToSetting(const GridModel& grid, RowValues& values, int row);

// Forgets what the unit confirmed, and the bytes it sent.
void ResetSettingsInUnit(RowValues& values);

} // namespace pb
