#pragma once
// A serial port of Windows (COMn) as a device of the line, through the
// Win32 communications calls.
#include "link/devices/LineDevice.h"

#include <QElapsedTimer>

namespace pb {

class Win32LineDevice : public LineDevice {
public:
    // `name` is COMn, or a path such as \\.\COMn (Win32DevicePath).
    explicit Win32LineDevice(const QString& name);
    ~Win32LineDevice() override;
    Win32LineDevice(const Win32LineDevice&) = delete;
    Win32LineDevice& operator=(const Win32LineDevice&) = delete;

    DeviceError open(const LineSettings& settings) override;
    bool isOpen() const override { return handle_ != nullptr; }
    void close() override;
    // What waits; with nothing waiting, now and then asks the driver
    // whether the device is still there.
    QByteArray readWaiting() override;
    // A write not done within the time its bytes need and a margin fails
    // the device.
    bool write(const QByteArray& bytes) override;
    void clearInput() override;
    void setModemLines(bool requestToSend, bool dataTerminalReady) override;
    LineState lineState() override;

private:
    void lost(unsigned long error);
    void checkWhileIdle();
    static constexpr qint64 kIdleCheckMs = 250;

    QString path_;
    void* handle_ = nullptr; // a HANDLE; null while closed
    bool handshake_ = false; // under RTS/CTS the driver drives RTS
    QElapsedTimer sinceCheck_; // since the driver was last asked while idle
};

} // namespace pb
