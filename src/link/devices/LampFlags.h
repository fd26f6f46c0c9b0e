#pragma once
// Activity flags between the serial layer and the lamp timer of the window.
#include "link/devices/Flags.h"

namespace pb {

struct LampFlags {
    int16_t sending = kFalse;
    int16_t receiving = kFalse;
    int16_t txLampOn = kFalse;
    int16_t rxLampOn = kFalse;
};

} // namespace pb
