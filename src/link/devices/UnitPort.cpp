#include "link/devices/UnitPort.h"

#include <utility>

namespace pb {

namespace {
constexpr int16_t kSpeed19200 = 5;
constexpr int16_t kParityNone = 0;
constexpr int16_t kEightDataBits = 1;
constexpr int16_t kOneStopBit = 0;
constexpr int16_t kNoHandshake = 0;
} // namespace

int16_t OpenUnitPort(Datacom& port, int16_t portIndex)
{
    return port.OpenComPort(portIndex, kSpeed19200, kParityNone, kEightDataBits, kOneStopBit, kNoHandshake);
}

void OpenUnitPortInBackground(Datacom& port, int16_t portIndex, std::function<void(int16_t result)> ended)
{
    port.OpenComPortInBackground(portIndex, kSpeed19200, kParityNone, kEightDataBits, kOneStopBit, kNoHandshake,
                                 std::move(ended));
}

} // namespace pb
