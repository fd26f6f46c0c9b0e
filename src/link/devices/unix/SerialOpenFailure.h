#pragma once
// Why a serial port of Linux does not open, told apart by the device itself:
// Qt SerialPort gives EACCES, EBUSY and another program's lock file all as
// one PermissionError in words of its own, and lets root open a port that
// another program holds exclusively (TIOCEXCL).
#include "link/devices/DeviceError.h"

#include <QSerialPort>
#include <QString>

namespace pb {

// The device opened as the serial layer opens it, for a look before the
// layer does, and held until this goes: the layer's open is then not the
// port's first, nor this close its last, which would drop DTR on the way.
class SerialOpenCheck {
public:
    explicit SerialOpenCheck(const QString& path);
    ~SerialOpenCheck();
    SerialOpenCheck(const SerialOpenCheck&) = delete;
    SerialOpenCheck& operator=(const SerialOpenCheck&) = delete;

    // None when the device is there, may be opened, is a serial line and
    // no other program holds it exclusively.
    const DeviceError& error() const { return error_; }

private:
    int descriptor_ = -1;
    DeviceError error_;
};

// Why the serial layer's open failed after the check found nothing: the
// lock file of a program that still runs, else the layer's own error; the
// words stay the layer's.
DeviceError SerialLayerFailure(const QString& path, QSerialPort::SerialPortError error, const QString& text);

// The lock file the serial layer takes for the device: LCK.. and its path
// below /dev with '/' as '_', in the first lock folder it may use; empty
// when it may use none.
QString SerialLockFilePath(const QString& path);

} // namespace pb
