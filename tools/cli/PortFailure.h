#pragma once
// Why a port did not open, in the system's own words: the engine's port
// only says that it failed.
#include <QString>

namespace pb::cli {

// "No such file or directory", "Permission denied" (with the hint to join
// the group dialout), "Device or resource busy", ... for a device path; for
// a tcp:// device, that no connection came about.
QString WhyPortDidNotOpen(const QString& device);

// The same for a serial port, from the system's own calls: termios and
// errno on Linux (unix/SerialPortFailure.cpp), the Win32 port on Windows
// (win/SerialPortFailure.cpp).
QString WhySerialPortDidNotOpen(const QString& device);

} // namespace pb::cli
