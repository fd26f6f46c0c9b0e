#pragma once
// Which row values stand for exactly one value byte of the unit. The grid
// shows any other value as its first option or as none, and the engine
// sends nothing for it, both without a word; the tool and the report name
// such rows.
#include <cstdint>
#include <optional>

namespace pb {

// The list position is one of the row's `optionCount` options and has a
// code for the unit type, so that a write sends it.
bool Sendable(int16_t unitType, int16_t row, int optionCount, int16_t position);

// The option that a value byte from the unit stands for, when one names
// exactly that byte; a byte no option names (or one that decodes to an
// option coding another byte) has none.
std::optional<int16_t> OptionOfUnitValue(int16_t unitType, int16_t row, int optionCount, int16_t unitValue);

} // namespace pb
