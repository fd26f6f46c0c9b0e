#include "settings/GridTransfer.h"

namespace pb {

int SelectedPosition(const QComboBox* combo)
{
    const int index = combo->currentIndex();
    if (!combo->isEditable())
        return index;
    const QString shown = combo->currentText();
    if (index >= 0 && combo->itemText(index) == shown)
        return index;
    // Typed text: an exact option text still counts as that option.
    return combo->findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

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

void SettingToGrid(const SettingsGrid& grid, RowValues& values, int row)
{
    if (!RowShown(grid, row))
        return;
    QComboBox* combo = grid.ComboInstellingen[row];
    int16_t& value = values.UnitSettings[row];
    if (value < -1 || value >= combo->count())
        value = 0; // the list refuses the position: fall back to the first option
    combo->setCurrentIndex(value);
    if (value == -1)
        combo->setEditText(QString());
}

void SettingsToGrid(const SettingsGrid& grid, RowValues& values)
{
    for (int r = 0; r < kGridRows; ++r)
        SettingToGrid(grid, values, r);
}

void GridToSettings(const SettingsGrid& grid, RowValues& values)
{
    for (int r = 0; r < kGridRows; ++r) {
        if (RowShown(grid, r))
            values.UnitSettings[r] = int16_t(SelectedPosition(grid.ComboInstellingen[r]));
    }
}

void GridToSetting(const SettingsGrid& grid, RowValues& values, int row)
{
    values.UnitSettings[row] = RowShown(grid, row) ? int16_t(SelectedPosition(grid.ComboInstellingen[row])) : int16_t(0);
}

void ResetSettingsInUnit(RowValues& values)
{
    values.SettingsInUnit.fill(-1);
}

void ResetRowRequests(RowValues& values)
{
    for (int r = 0; r < kFileRows; ++r)
        values.RowRequest[r] = NoRequest;
}

} // namespace pb
