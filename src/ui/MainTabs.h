#pragma once
// Pages of the main window's tab control, by index.
#include <cstdint>

namespace pb {

enum MainTab : int16_t {
    StatusTab = 0,
    SettingsTab = 1,
    FileTab = 2,
    UnitTab = 3,
    ServiceTab = 4,
};
constexpr int kTabCount = 5;

} // namespace pb
