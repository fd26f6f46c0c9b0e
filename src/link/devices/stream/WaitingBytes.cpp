#include "link/devices/stream/WaitingBytes.h"

#include <QIODevice>
#include <QThread>

namespace pb {

QByteArray TakeWaitingBytes(QIODevice& device)
{
    if (!device.isOpen())
        return QByteArray();
    // Asking on every tick would cost the idle program a system call 40
    // times a second, so only without an event loop.
    if (device.bytesAvailable() == 0 && QThread::currentThread()->loopLevel() == 0)
        device.waitForReadyRead(0);
    // Asking readAll when nothing came would allocate a buffer only to hand
    // back an empty one.
    if (!device.isOpen() || device.bytesAvailable() == 0)
        return QByteArray();
    return device.readAll();
}

} // namespace pb
