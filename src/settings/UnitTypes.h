#pragma once
// The kinds of unit the tool serves. A unit type code is the position in the
// unit-type list of the settings dialog.
#include <array>
#include <cstdint>

namespace pb {

// How a type's row values travel to and from the unit.
enum class ValueCodingKind {
    Refused,          // the unit has no settings: every item and value is refused
    Identity,         // list position and value byte are the same
    SpeedAndInterval, // serial speed in hundreds of baud, poll interval in seconds
};

struct UnitTypeInfo {
    int nameText;            // text number of the type's name
    int16_t highestRow;      // last row that read-all and write-all visit
    ValueCodingKind coding;
};

constexpr int16_t kUnitTypeCount = 7;

// Indexed by unit type code, in the order of the unit-type list.
constexpr std::array<UnitTypeInfo, kUnitTypeCount> kUnitTypes{{
    {134, 21, ValueCodingKind::Refused},          // RMT Portavo Sliding Door unit
    {135, 18, ValueCodingKind::SpeedAndInterval}, // Espa444 to Espa 443 Converter
    {136, 20, ValueCodingKind::SpeedAndInterval}, // TAP to Espa443 Converter
    {137, 25, ValueCodingKind::Identity},         // Espa443 to Espa444 Converter
    {150, 25, ValueCodingKind::Identity},         // DP6000 to Espa444 Converter
    {161, 18, ValueCodingKind::SpeedAndInterval}, // Espa444 to Espa 443, FW V2.00 and up
    {163, 20, ValueCodingKind::SpeedAndInterval}, // TAP to Espa 443, FW V2.10 and up
}};

// The only type whose unit takes a test call to a pager.
constexpr int16_t kUnitTypeWithTestCall = 3;

// The type's entry, or nullptr for a code outside the list.
constexpr const UnitTypeInfo* FindUnitType(int16_t unitType)
{
    return unitType >= 0 && unitType < kUnitTypeCount ? &kUnitTypes[unitType] : nullptr;
}

} // namespace pb
