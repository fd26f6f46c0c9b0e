#pragma once
// A serial port of this machine as a device of the line.
#include "link/devices/LineDevice.h"

#include <QSerialPort>

namespace pb {

class SerialPortDevice : public LineDevice {
public:
    // `name` is a device path (or COMn); a link to a device opens the device.
    explicit SerialPortDevice(const QString& name);

    DeviceError open(const LineSettings& settings) override;
    bool isOpen() const override { return port_.isOpen(); }
    void close() override;
    QByteArray readWaiting() override;
    bool write(const QByteArray& bytes) override;
    void clearInput() override;
    void setModemLines(bool requestToSend, bool dataTerminalReady) override;
    LineState lineState() override;

private:
    QString path_; // as the port is opened
    QSerialPort port_;
};

} // namespace pb
