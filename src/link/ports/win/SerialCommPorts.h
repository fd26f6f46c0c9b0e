#pragma once
// The serial ports Windows knows now, from its registry.
#include <QList>
#include <QString>

namespace pb {

struct SerialCommPort {
    QString portName;     // "COM3"
    QString driverDevice; // "\Device\Serial0"
};

// The values of HKLM\HARDWARE\DEVICEMAP\SERIALCOMM in the order of the port
// numbers; none when the key is missing.
QList<SerialCommPort> SerialCommPorts();

} // namespace pb
