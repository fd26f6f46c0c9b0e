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

// What finds an adapter again whatever the kernel calls it next time:
// "by-id:" and its by-id name, else "serial:" and its serial number; empty
// when neither is known.
QString AdapterKey(const PortDescription& port);

// The numbers adapters were given before, each by its AdapterKey.
using AdapterNumbers = std::map<int, QString>;

// "Com k+1" for /dev/ttyS<k>. A USB or ACM adapter (ttyUSB*, ttyACM*) keeps
// the number it was given before; the others take the lowest numbers that
// no port and no remembered adapter holds, in the order of their by-id
// names, those without one after them in the order of their locations. So
// an adapter keeps its number however the kernel happened to enumerate it,
// and another one never takes the number of an adapter that is unplugged.
// Other ports get none.
std::map<int, PortDescription> AutomaticPortNumbers(const QList<PortDescription>& ports,
                                                    const AdapterNumbers& remembered = {});

// The remembered numbers with those the numbering gave adapters that have a key.
AdapterNumbers WithNumbersGiven(const AdapterNumbers& remembered,
                                const std::map<int, PortDescription>& numbers);

// The device with what is known of the adapter behind it:
// "/dev/ttyUSB0 (FT232R USB UART, A10K3X)", or the device alone.
QString PortDisplayText(const QString& device, const PortDescription* port);

} // namespace pb
