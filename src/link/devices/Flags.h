#pragma once
// Flags use -1 for true and 0 for false throughout.
#include <cstdint>

namespace pb {

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

} // namespace pb
