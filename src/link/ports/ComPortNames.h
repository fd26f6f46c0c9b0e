#pragma once
// Windows' names for its serial ports (COM1, \\.\COM12), as plain text so
// that they are checked on any system.
#include <QString>

namespace pb {

// n for COMn or \\.\COMn (any case), 0 for any other name.
int ComPortNumber(const QString& name);

// The path CreateFileW opens for a port name: COM10 and above open only as
// \\.\COM10, so every COMn gets the prefix; other names stay as they are.
QString Win32DevicePath(const QString& name);

// COM2 before COM10: by number, then by name.
bool ComPortBefore(const QString& a, const QString& b);

} // namespace pb
