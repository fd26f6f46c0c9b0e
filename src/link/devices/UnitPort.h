#pragma once
// The line to the unit's diagnose port: 19200 baud, no parity, 8 data bits,
// 1 stop bit, no handshake, whoever opens it.
#include "link/devices/Datacom.h"

#include <cstdint>
#include <functional>

namespace pb {

// Opens "Com <portIndex + 1>" with the unit's line settings; 0 when open,
// -1 when not (the port logs either).
int16_t OpenUnitPort(Datacom& port, int16_t portIndex);
// The same without holding up the caller (Datacom::OpenComPortInBackground).
void OpenUnitPortInBackground(Datacom& port, int16_t portIndex, std::function<void(int16_t result)> ended);

} // namespace pb
