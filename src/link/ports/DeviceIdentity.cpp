#include "link/ports/DeviceIdentity.h"

#include "link/ports/PresentPorts.h"

#include <QFileInfo>

namespace pb {

DeviceIdentity IdentifyOpened(const DeviceIdentity& named, const QString& adapterLinks)
{
    if (!named.adapterKey.isEmpty())
        return named;
    const QString byIdName = LinkNamesByTarget(adapterLinks).value(QFileInfo(named.device).canonicalFilePath());
    if (byIdName.isEmpty())
        return named;
    return {named.device, AdapterKey({named.device, byIdName, QString(), QString()})};
}

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
