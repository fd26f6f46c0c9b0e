#pragma once
// Moving row values between the grid and memory. Hidden rows take no part,
// except where noted, so their values pass through files unchanged.
#include "settings/RowValues.h"
#include "settings/SettingsGrid.h"

namespace pb {

// The position of the option the list shows; -1 when none, and also when the
// user typed text into the editable list that is no option of it.
int SelectedPosition(const QComboBox* combo);

void FileToSettings(RowValues& values);
void SettingsToFile(RowValues& values);

// Shows UnitSettings in the visible rows; a position the list cannot show
// becomes 0 in memory and in the list.
void SettingsToGrid(const SettingsGrid& grid, RowValues& values);
void SettingToGrid(const SettingsGrid& grid, RowValues& values, int row);

// Takes the selected positions of the visible rows into UnitSettings.
void GridToSettings(const SettingsGrid& grid, RowValues& values);
// One row; a hidden row's value becomes 0.
void GridToSetting(const SettingsGrid& grid, RowValues& values, int row);

void ResetSettingsInUnit(RowValues& values);
// Rows 0..49; slot 50 is left as it is.
void ResetRowRequests(RowValues& values);

} // namespace pb
