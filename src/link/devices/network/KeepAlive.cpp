#include "link/devices/network/KeepAlive.h"

#include <QAbstractSocket>
#include <QVariant>

namespace pb {

void KeepConnectionAlive(QAbstractSocket& socket)
{
    socket.setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    const qintptr descriptor = socket.socketDescriptor();
    if (descriptor != -1)
        SetKeepAliveTimings(descriptor);
}

} // namespace pb
