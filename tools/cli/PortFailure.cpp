#include "PortFailure.h"

#include "link/devices/TcpDevice.h"

namespace pb::cli {

QString WhyPortDidNotOpen(const QString& device, const DeviceError& error)
{
    if (device.isEmpty())
        return QStringLiteral("no device is named for it");
    if (IsTcpDevice(device))
        return QStringLiteral("no connection to the device server came about");
    if (error.systemText.isEmpty())
        return QStringLiteral("it failed to open");
    if (error.kind == DeviceErrorKind::Forbidden)
        return error.systemText
            + QStringLiteral(" (serial devices belong to the group dialout: sudo usermod -aG dialout $USER,"
                             " then log in again)");
    return error.systemText;
}

} // namespace pb::cli
