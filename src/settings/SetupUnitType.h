#pragma once
// Builds the settings grid for one unit type.
#include "settings/SettingsGrid.h"
#include "texts/TextTable.h"

#include <cstdint>

namespace pb {

// Empties and hides every row and the test-call panel, then fills and shows
// the rows of the type in the language of Tekst. No row is left with a
// selection: the caller puts the row values in afterwards. For the type with
// a test call the bleep-code list is refilled and the panel shown. Always 0.
int16_t SetupUnitType(SettingsGrid& grid, const TextTable& Tekst, int16_t unitType);

} // namespace pb
