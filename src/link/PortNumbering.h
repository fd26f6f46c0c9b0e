#pragma once
// Numbers for the serial ports present, given the way Windows gives them: a
// built-in port keeps its own number, an adapter takes the lowest one free.
#include <QList>
#include <QString>
#include <map>

namespace pb {

// One port the system reports.
struct PortDescription {
    QString systemLocation; // "/dev/ttyUSB0"
    QString byIdName;       // its link's name in /dev/serial/by-id, empty when it has none
    QString description;    // "FT232R USB UART", empty when unknown
    QString serialNumber;   // "A10K3X", empty when unknown
};

// "Com k+1" for /dev/ttyS<k>. USB and ACM adapters (ttyUSB*, ttyACM*) take
// the lowest numbers left, in the order of their by-id names, those without
// one after them in the order of their locations; an adapter keeps its
// number however the kernel happened to enumerate it. Other ports get none.
std::map<int, PortDescription> AutomaticPortNumbers(const QList<PortDescription>& ports);

// The device with what is known of the adapter behind it:
// "/dev/ttyUSB0 (FT232R USB UART, A10K3X)", or the device alone.
QString PortDisplayText(const QString& device, const PortDescription* port);

} // namespace pb
