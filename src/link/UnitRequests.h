#pragma once
// The operations the buttons leave behind for the protocol engine, and the
// engine's counters that go with them. Flags are -1 when set, 0 when clear.
#include <cstdint>

namespace pb {

struct UnitRequestRecord {
    int16_t CurrentRow = -1; // row of the exchange in progress, -1 for none
    int16_t ReadAll = 0;
    int16_t WriteAll = 0;
    int16_t TestCall = 0;
    int16_t ErrorCount = 0;  // failed exchanges since the last good one
    int16_t CallDigit = 0;   // from the reply to the call-number request
};

// At this many failures the "Unit" tab drops every pending row.
constexpr int16_t kErrorLimit = 3;

} // namespace pb
