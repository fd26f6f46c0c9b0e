#include "link/tcp/KeepAlive.h"

#include <QAbstractSocket>
#include <QVariant>

#ifdef Q_OS_WIN
#include <winsock2.h>
#include <mstcpip.h>
#else
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace pb {

void KeepConnectionAlive(QAbstractSocket& socket)
{
    socket.setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    const qintptr descriptor = socket.socketDescriptor();
    if (descriptor == -1)
        return;
#ifdef Q_OS_WIN
    // Windows sends its fixed ten probes at the interval given here.
    tcp_keepalive values{};
    values.onoff = 1;
    values.keepalivetime = kKeepAliveIdleSeconds * 1000;
    values.keepaliveinterval = kKeepAliveIntervalSeconds * 1000 * kKeepAliveProbes / 10;
    DWORD returned = 0;
    WSAIoctl(SOCKET(descriptor), SIO_KEEPALIVE_VALS, &values, sizeof values, nullptr, 0, &returned, nullptr, nullptr);
#else
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
#endif
}

} // namespace pb
