#include "settings/NumberText.h"

#include <cstdlib>

namespace pb {

QString IntToText(int16_t value)
{
    // Widen first: -32768 has no 16-bit absolute value.
    return QString::number(std::abs(static_cast<int>(value)));
}

QString ToHex(int16_t value)
{
    return QString::number(static_cast<uint16_t>(value), 16).toUpper();
}

} // namespace pb
