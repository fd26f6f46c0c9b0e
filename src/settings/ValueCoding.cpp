#include "settings/ValueCoding.h"

#include "settings/UnitTypes.h"

#include <array>
#include <cstddef>
#include <limits>

namespace pb {

namespace {

// Speed positions 0..3 in hundreds of baud; the 19200 position has no code.
constexpr std::array<int16_t, 4> kSpeedCodes{12, 24, 48, 96};
constexpr int16_t kSecondsPerStep = 5;

ValueCodingKind CodingOf(int16_t unitType)
{
    const UnitTypeInfo* info = FindUnitType(unitType);
    return info ? info->coding : ValueCodingKind::Refused;
}

} // namespace

int16_t HighestRow(int16_t unitType)
{
    const UnitTypeInfo* info = FindUnitType(unitType);
    return info ? info->highestRow : 0;
}

int16_t RowToItem(int16_t unitType, int16_t row)
{
    return CodingOf(unitType) == ValueCodingKind::Refused ? -1 : row;
}

int16_t ItemToRow(int16_t unitType, int16_t item)
{
    return CodingOf(unitType) == ValueCodingKind::Refused ? -1 : item;
}

int16_t EncodeValue(int16_t unitType, int16_t row, int16_t value)
{
    switch (CodingOf(unitType)) {
    case ValueCodingKind::Refused:
        return -1;
    case ValueCodingKind::Identity:
        return value;
    case ValueCodingKind::SpeedAndInterval:
        break;
    }
    if (row == kSpeedRow)
        return value >= 0 && value < static_cast<int>(kSpeedCodes.size()) ? kSpeedCodes[value] : -1;
    if (row == kPollIntervalRow) {
        const int seconds = value * kSecondsPerStep;
        // No list position comes near the limit; refuse rather than wrap.
        if (seconds > std::numeric_limits<int16_t>::max()
            || seconds < std::numeric_limits<int16_t>::min())
            return -1;
        return static_cast<int16_t>(seconds);
    }
    return value;
}

int16_t DecodeValue(int16_t unitType, int16_t row, int16_t value)
{
    switch (CodingOf(unitType)) {
    case ValueCodingKind::Refused:
        return -1;
    case ValueCodingKind::Identity:
        return value;
    case ValueCodingKind::SpeedAndInterval:
        break;
    }
    if (row == kSpeedRow) {
        for (std::size_t pos = 0; pos < kSpeedCodes.size(); ++pos) {
            if (kSpeedCodes[pos] == value)
                return static_cast<int16_t>(pos);
        }
        return -1;
    }
    if (row == kPollIntervalRow)
        return static_cast<int16_t>(value / kSecondsPerStep); // truncates toward zero
    return value;
}

} // namespace pb
