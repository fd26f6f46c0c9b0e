#pragma once
// The small codes with which callers choose the line parameters, turned into
// the line's settings: the only place that knows the codes.
#include "link/devices/LineDevice.h"

#include <cstdint>

namespace pb {

// Speed 0..5: 300, 1200, 2400, 4800, 9600, 19200; parity 1 even, 2 odd;
// data bits 0 seven; stop bits 1 two. Any other code takes the common
// choice: 9600 baud, no parity, 8 data bits, 1 stop bit. Handshake 0 none
// with RTS off, 1 none with RTS on, any other RTS/CTS with RTS on. DTR stays
// off.
LineSettings LineSettingsFromCodes(int16_t speedCode, int16_t parityCode, int16_t dataBitsCode,
                                   int16_t stopBitsCode, int16_t handshakeCode = 0);

} // namespace pb
