#pragma once
// The kinds of unit the tool serves. A unit type code is the position in the
// unit-type list of the settings dialog.
#include "texts/TextNumbers.h"

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
    TextNumber nameText;     // text number of the type's name
    int16_t highestRow;      // last row that read-all and write-all visit
    ValueCodingKind coding;
};

constexpr int16_t kUnitTypeCount = 7;

// Indexed by unit type code, in the order of the unit-type list.
constexpr std::array<UnitTypeInfo, kUnitTypeCount> kUnitTypes{{
    {TxtSlidingDoorUnit, 21, ValueCodingKind::Refused},
    {TxtEspa444ToEspa443, 18, ValueCodingKind::SpeedAndInterval},
    {TxtTapToEspa443, 20, ValueCodingKind::SpeedAndInterval},
    {TxtEspa443ToEspa444, 25, ValueCodingKind::Identity},
    {TxtDp6000ToEspa444, 25, ValueCodingKind::Identity},
    {TxtEspa444ToEspa443Fw200, 18, ValueCodingKind::SpeedAndInterval},
    {TxtTapToEspa443Fw210, 20, ValueCodingKind::SpeedAndInterval},
}};

// The only type whose unit takes a test call to a pager.
constexpr int16_t kUnitTypeWithTestCall = 3;

// The type's entry, or nullptr for a code outside the list.
constexpr const UnitTypeInfo* FindUnitType(int16_t unitType)
{
    return unitType >= 0 && unitType < kUnitTypeCount ? &kUnitTypes[unitType] : nullptr;
}

} // namespace pb
