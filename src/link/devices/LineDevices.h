#pragma once
// The device of the line for a device name: the one place that knows the
// kinds of device.
#include "link/devices/LineDevice.h"

#include <memory>

namespace pb {

// tcp://HOST:PORT or rfc2217://HOST:PORT a device server (through the
// network module), anything else a serial port. Nothing for a name that
// cannot be a device (an empty one, a server's name without host or port,
// the module missing).
std::unique_ptr<LineDevice> MakeLineDevice(const QString& name);

// A serial port of this machine by its name: a QSerialPort on Linux, the
// Win32 serial calls on Windows (link/unix, link/win).
std::unique_ptr<LineDevice> MakeSerialLine(const QString& name);

} // namespace pb
