#include "RowCoding.h"

#include "settings/ValueCoding.h"

namespace pb::cli {

namespace {

constexpr int16_t kHighestByte = 0xFF;

} // namespace

bool Sendable(const CoreParts& parts, int16_t row, int16_t position)
{
    if (position < 0 || position >= parts.optionCount(row))
        return false;
    const int16_t code = EncodeValue(parts.unitType, row, position);
    return code >= 0 && code <= kHighestByte;
}

std::optional<int16_t> OptionOfUnitValue(const CoreParts& parts, int16_t row, int16_t unitValue)
{
    const int16_t position = DecodeValue(parts.unitType, row, unitValue);
    if (!Sendable(parts, row, position) || EncodeValue(parts.unitType, row, position) != unitValue)
        return std::nullopt;
    return position;
}

} // namespace pb::cli
