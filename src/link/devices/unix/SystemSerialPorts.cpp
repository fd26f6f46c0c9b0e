// How Linux names, lists and opens its serial ports: /dev/ttyS*, Qt
// SerialPort's list with the /dev/serial/by-id names, a QSerialPort.
#include "link/devices/LineDevices.h"
#include "link/ports/PortName.h"
#include "link/ports/PresentPorts.h"
#include "link/devices/unix/SerialPortDevice.h"

#include <QFileInfo>
#include <QSerialPortInfo>

namespace pb {

QString PlatformPortDevice(int portNumber)
{
    if (portNumber < 1)
        return QString();
    return QStringLiteral("/dev/ttyS") + QString::number(portNumber - 1);
}

QList<PortDescription> PresentPorts()
{
    QList<PortDescription> ports;
    const QHash<QString, QString> byId = LinkNamesByTarget(QStringLiteral("/dev/serial/by-id"));
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString location = info.systemLocation();
        ports.append({location, byId.value(QFileInfo(location).canonicalFilePath()), info.description(),
                      info.serialNumber()});
    }
    return ports;
}

std::unique_ptr<LineDevice> MakeSerialLine(const QString& name)
{
    return std::make_unique<SerialPortDevice>(name);
}

} // namespace pb
