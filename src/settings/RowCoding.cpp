#include "settings/RowCoding.h"

#include "settings/ValueCoding.h"

namespace pb {

namespace {

constexpr int16_t kHighestByte = 0xFF;

} // namespace

bool Sendable(int16_t unitType, int16_t row, int optionCount, int16_t position)
{
    if (position < 0 || position >= optionCount)
        return false;
    const int16_t code = EncodeValue(unitType, row, position);
    return code >= 0 && code <= kHighestByte;
}

std::optional<int16_t> OptionOfUnitValue(int16_t unitType, int16_t row, int optionCount, int16_t unitValue)
{
    const int16_t position = DecodeValue(unitType, row, unitValue);
    if (!Sendable(unitType, row, optionCount, position) || EncodeValue(unitType, row, position) != unitValue)
        return std::nullopt;
    return position;
}

} // namespace pb
