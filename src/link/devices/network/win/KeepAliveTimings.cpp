#include "link/devices/network/KeepAlive.h"

#include <winsock2.h>
#include <mstcpip.h>

namespace pb {

void SetKeepAliveTimings(qintptr descriptor)
{
    // Windows sends its fixed ten probes at the interval given here.
    tcp_keepalive values{};
    values.onoff = 1;
    values.keepalivetime = kKeepAliveIdleSeconds * 1000;
    values.keepaliveinterval = kKeepAliveIntervalSeconds * 1000 * kKeepAliveProbes / 10;
    DWORD returned = 0;
    WSAIoctl(SOCKET(descriptor), SIO_KEEPALIVE_VALS, &values, sizeof values, nullptr, 0, &returned, nullptr, nullptr);
}

} // namespace pb
