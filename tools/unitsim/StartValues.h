#pragma once
// What a unit holds when it comes from the factory, in its own coding: one
// byte per item, each a value its settings row can show.
#include <array>
#include <cstdint>

namespace pb::unitsim {

constexpr int kItemCount = 256;
using UnitMemory = std::array<uint8_t, kItemCount>;

// Diagnostic level "Diagnostic", the serial speed 9600 baud, a poll interval
// of 20 seconds where the type has one, and small positions elsewhere.
// All zero for a type without settings.
UnitMemory StartValues(int16_t unitType);

} // namespace pb::unitsim
