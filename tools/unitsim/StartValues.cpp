#include "unitsim/StartValues.h"

#include "settings/UnitCatalogue.h"
#include "settings/ValueCoding.h"

namespace pb::unitsim {

namespace {

constexpr int16_t kDiagnosticPosition = 1;
constexpr int16_t kSpeed9600Position = 3;
constexpr int16_t kTwentySecondsPosition = 4; // sent as 20 on the types that code seconds

int16_t StartPosition(int16_t row, int optionCount)
{
    if (optionCount == 0)
        return 0;
    if (row == 0 && optionCount > kDiagnosticPosition)
        return kDiagnosticPosition;
    if (row == kSpeedRow && optionCount > kSpeed9600Position)
        return kSpeed9600Position;
    if (row == kPollIntervalRow && optionCount > kTwentySecondsPosition)
        return kTwentySecondsPosition;
    return static_cast<int16_t>(row % optionCount);
}

} // namespace

UnitMemory StartValues(int16_t unitType)
{
    UnitMemory memory{};
    TextTable english;
    int16_t language = 0;
    LoadTexts(english, language);
    const GridDefinition rows = GridRows(unitType, english);
    for (int16_t row = 0; row < kGridRows; ++row) {
        const int16_t item = RowToItem(unitType, row);
        const int16_t value = EncodeValue(unitType, row, StartPosition(row, rows[row].options.size()));
        if (item >= 0 && value >= 0)
            memory[item] = static_cast<uint8_t>(value);
    }
    return memory;
}

} // namespace pb::unitsim
