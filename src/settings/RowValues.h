#pragma once
// Row values of the settings grid in memory.
// A row value is the list position of the selected option, -1 for none.
#include <array>
#include <cstdint>

namespace pb {

constexpr int kGridRows = 26; // the settings grid's rows 0..25
constexpr int kRowSlots = 51;   // rows 0..50; the grid uses 0..25, files 0..49
constexpr int kFileRows = 50;

using RowArray = std::array<int16_t, kRowSlots>;

struct RowValues {
    RowArray UnitSettings{};   // what the grid shows, what a write sends
    RowArray FileSettings{};   // buffer of the settings files
    RowArray SettingsInUnit = filled(-1); // last value the unit confirmed, -1 none
    RowArray ValueFromUnit = filled(-1);  // byte the unit last sent for the row, -1 none

    static RowArray filled(int16_t value)
    {
        RowArray a;
        a.fill(value);
        return a;
    }
};

} // namespace pb
