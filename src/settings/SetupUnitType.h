#pragma once
// Builds the settings grid for one unit type.
#include "settings/GridModel.h"
#include "texts/TextTable.h"

#include <cstdint>

namespace pb {

// Fills every row anew in the language of texts: the rows of the type shown,
// the others hidden; no row is left with a selection, the caller puts the
// row values in afterwards. The test-call panel is shown, with its bleep
// codes at their default, for the type that has the call. Always 0.
int16_t SetupUnitType(GridModel& grid, const TextTable& texts, int16_t unitType);

} // namespace pb
