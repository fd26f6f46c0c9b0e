#pragma once
// What a port's device is, so that a device that went away is reopened only
// when the same one is back: an adapter the automatic numbering chose is
// found again by its by-id name or serial number, wherever the kernel put
// it; a device named by path or tcp:// address is that path or address.
#include "link/ports/PortNumbering.h"

#include <functional>

namespace pb {

struct DeviceIdentity {
    DeviceIdentity(QString deviceName = QString(), QString key = QString())
        : device(std::move(deviceName)), adapterKey(std::move(key))
    {
    }
    QString device;     // what opens now; empty when nothing names one
    QString adapterKey; // AdapterKey of the adapter behind it, or empty
};

// The ports the system reports, asked for only when needed: listing them
// reads the whole tty tree of the system, tens of milliseconds.
using PresentPortsSource = std::function<QList<PortDescription>()>;

// The identity of a device that just opened: a serial device named by its
// path alone (in ports.ini or the environment) is known by its link's name
// in `adapterLinks` (/dev/serial/by-id) when it has one, so that another
// adapter that takes over the path later is not taken for it.
DeviceIdentity IdentifyOpened(const DeviceIdentity& named, const QString& adapterLinks);

// Where the device is now: the present port with the adapter's key, empty
// while that adapter is absent; the device itself when no adapter key
// identifies it.
QString LocateDevice(const DeviceIdentity& identity, const QList<PortDescription>& present);

} // namespace pb
