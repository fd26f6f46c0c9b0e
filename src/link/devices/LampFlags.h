#pragma once
// Activity flags between the serial layer and the lamp timer of the window.
#include "link/devices/Flags.h"

namespace pb {

struct LampFlags {
    int16_t TxActief = kFalse;
    int16_t RxActief = kFalse;
    int16_t TxLedAan = kFalse;
    int16_t RxLedAan = kFalse;
};

} // namespace pb
