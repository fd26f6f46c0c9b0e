#pragma once
// Numbers as the program writes them in option texts, trace lines and files.
#include <QString>
#include <cstdint>

namespace pb {

// Decimal digits without sign and without leading blank; a negative number
// loses its minus sign (-12 gives "12").
QString IntToText(int16_t value);

// Upper-case hexadecimal of the 16-bit value without leading zeros
// (10 gives "A", -1 gives "FFFF").
QString ToHex(int16_t value);

} // namespace pb
