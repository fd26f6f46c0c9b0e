#pragma once
// Shows, row by row, whether the grid agrees with what the unit confirmed.
#include "settings/RowValues.h"
#include "ui/GridView.h"

#include <QColor>
#include <functional>

namespace pb {

// Muted text for rows whose shown value the unit confirmed; taken from the
// list's own palette so it suits light and dark themes.
QColor ConfirmedRowColour(const QComboBox* combo);
QColor UnconfirmedRowColour(const QComboBox* combo);

// All 26 lists, hidden ones too, by the positions the model holds; a row
// with a pending request keeps its colour.
void ColourSettingsGrid(const SettingsGrid& grid, const RowValues& values, const std::function<bool(int row)>& rowPending);

} // namespace pb
