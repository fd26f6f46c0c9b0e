#pragma once
// Translation between grid rows and list positions on one side and the
// unit's item numbers and value bytes on the other. A result of -1 means
// "no such item" or "no code"; callers then send nothing.
#include <cstdint>

namespace pb {

constexpr int16_t kSpeedRow = 13;        // serial speed
constexpr int16_t kPollIntervalRow = 18; // poll interval, in steps of 5 seconds

// Last row that read-all and write-all visit; 0 for an unknown type.
int16_t HighestRow(int16_t unitType);

// Row r is item r for the types with settings (1 to 6); -1 otherwise.
int16_t RowToItem(int16_t unitType, int16_t row);
int16_t ItemToRow(int16_t unitType, int16_t item);

// Row value (list position) to the byte sent to the unit, -1 when it has no code.
int16_t EncodeValue(int16_t unitType, int16_t row, int16_t value);

// Byte received from the unit to the row value, -1 when it has no position.
int16_t DecodeValue(int16_t unitType, int16_t row, int16_t value);

} // namespace pb
