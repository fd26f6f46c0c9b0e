#include "link/devices/network/KeepAlive.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace pb {

void SetKeepAliveTimings(qintptr descriptor)
{
    const int fd = int(descriptor);
    const auto set = [fd](int option, int value) { ::setsockopt(fd, IPPROTO_TCP, option, &value, sizeof value); };
#ifdef TCP_KEEPIDLE
    set(TCP_KEEPIDLE, kKeepAliveIdleSeconds);
#elif defined(TCP_KEEPALIVE)
    set(TCP_KEEPALIVE, kKeepAliveIdleSeconds);
#endif
#ifdef TCP_KEEPINTVL
    set(TCP_KEEPINTVL, kKeepAliveIntervalSeconds);
#endif
#ifdef TCP_KEEPCNT
    set(TCP_KEEPCNT, kKeepAliveProbes);
#endif
}

} // namespace pb
