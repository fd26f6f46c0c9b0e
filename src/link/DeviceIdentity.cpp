#include "link/DeviceIdentity.h"

namespace pb {

QString LocateDevice(const DeviceIdentity& identity, const QList<PortDescription>& present)
{
    if (identity.adapterKey.isEmpty())
        return identity.device;
    for (const PortDescription& port : present) {
        if (AdapterKey(port) == identity.adapterKey)
            return port.systemLocation;
    }
    return QString();
}

} // namespace pb
