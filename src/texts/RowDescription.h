#pragma once
// The row part of the error lines of a read: what the row showed when the
// exchange failed.
#include "settings/RowsShown.h"
#include "texts/TextTable.h"

#include <QString>
#include <cstdint>

namespace pb {

// "[" combo text ": " row " " texts[TxtValue] ": " selected position "] " for a
// visible grid row that shows a text; empty for a hidden row, one that
// shows nothing, or one outside the grid.
QString RowDescription(const RowsShown& grid, const TextTable& texts, int16_t row);

} // namespace pb
