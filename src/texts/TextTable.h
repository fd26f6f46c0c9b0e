#pragma once
// The table of user-visible texts, indexed by text number, in the active language.
#include <QString>
#include <array>
#include <cstdint>

namespace pb {

constexpr int kTextSlots = 301;            // text numbers 0..300
using TextTable = std::array<QString, kTextSlots>;

// Fills texts for language `code` (0 English, 1 Nederlands, 2 Deutsch, 3 Française).
// A code above 3 is set back to 0 (the caller's variable changes); a negative
// code fills nothing, so every text is empty.
void LoadTexts(TextTable& texts, int16_t& code);

} // namespace pb
