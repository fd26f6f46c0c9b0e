#include "PortFailure.h"

#include "link/TcpDevice.h"

namespace pb::cli {

QString WhyPortDidNotOpen(const QString& device)
{
    if (device.isEmpty())
        return QStringLiteral("no device is named for it");
    if (IsTcpDevice(device))
        return QStringLiteral("no connection to the device server came about");
    return WhySerialPortDidNotOpen(device);
}

} // namespace pb::cli
