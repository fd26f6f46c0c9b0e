// How Windows names, lists and opens its serial ports: COMn, the registry's
// list, the Win32 serial calls.
#include "link/devices/LineDevices.h"
#include "link/ports/PortName.h"
#include "link/ports/PresentPorts.h"
#include "link/ports/win/SerialCommPorts.h"
#include "link/devices/win/Win32LineDevice.h"

namespace pb {

QString PlatformPortDevice(int portNumber)
{
    if (portNumber < 1)
        return QString();
    return QStringLiteral("COM") + QString::number(portNumber);
}

QList<PortDescription> PresentPorts()
{
    // Windows gives the numbers: listed only to be shown and found again.
    QList<PortDescription> ports;
    for (const SerialCommPort& port : SerialCommPorts())
        ports.append({port.portName, QString(), QString(), QString()});
    return ports;
}

std::unique_ptr<LineDevice> MakeSerialLine(const QString& name)
{
    return std::make_unique<Win32LineDevice>(name);
}

} // namespace pb
