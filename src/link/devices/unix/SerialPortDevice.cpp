#include "link/devices/unix/SerialPortDevice.h"

#include "link/devices/stream/WaitingBytes.h"
#include "link/devices/unix/SerialOpenFailure.h"

#include <QFileInfo>

namespace pb {

namespace {

// The lock file of the port follows the name it was opened by, so a link
// such as /dev/serial/by-id/... is opened as the device it points to.
QString resolvedDevice(const QString& device)
{
    const QFileInfo info(device);
    return info.isSymLink() && info.exists() ? info.canonicalFilePath() : device;
}

bool meansLineLost(QSerialPort::SerialPortError error)
{
    // A hung-up device shows as read errors first and a resource error later.
    // Counting the read and write errors too is safe: the port comes back by
    // itself when the device still answers.
    return error == QSerialPort::ReadError || error == QSerialPort::WriteError
        || error == QSerialPort::ResourceError;
}

QSerialPort::Parity parityOf(Parity parity)
{
    switch (parity) {
    case Parity::None: return QSerialPort::NoParity;
    case Parity::Even: return QSerialPort::EvenParity;
    case Parity::Odd: return QSerialPort::OddParity;
    }
    return QSerialPort::NoParity;
}

} // namespace

SerialPortDevice::SerialPortDevice(const QString& name) : path_(resolvedDevice(name))
{
    port_.setPortName(path_);
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_, [this](QSerialPort::SerialPortError error) {
        if (port_.isOpen() && meansLineLost(error) && onGone)
            onGone({DeviceErrorKind::Lost, port_.errorString()});
    });
}

DeviceError SerialPortDevice::open(const LineSettings& settings)
{
    if (port_.isOpen())
        port_.close();
    port_.setBaudRate(settings.baudRate);
    port_.setParity(parityOf(settings.parity));
    port_.setDataBits(settings.dataBits == 7 ? QSerialPort::Data7 : QSerialPort::Data8);
    port_.setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port_.setFlowControl(settings.handshake == Handshake::RtsCts ? QSerialPort::HardwareControl
                                                                 : QSerialPort::NoFlowControl);
    // The device is looked at first, since the serial layer tells a
    // forbidden port from a busy one by neither kind nor words.
    const SerialOpenCheck check(path_);
    if (check.error().failed())
        return check.error();
    // Exclusive: a second program on the same port finds it busy.
    if (!port_.open(QIODevice::ReadWrite))
        return SerialLayerFailure(path_, port_.error(), port_.errorString());
    setModemLines(settings.requestToSend, settings.dataTerminalReady);
    return {};
}

void SerialPortDevice::close()
{
    port_.clearError();
    port_.close();
}

QByteArray SerialPortDevice::readWaiting()
{
    return TakeWaitingBytes(port_);
}

bool SerialPortDevice::write(const QByteArray& bytes)
{
    const bool handedOver = port_.write(bytes) == bytes.size();
    port_.flush();
    return handedOver;
}

void SerialPortDevice::clearInput()
{
    if (port_.isOpen())
        port_.clear(QSerialPort::Input);
}

void SerialPortDevice::setModemLines(bool requestToSend, bool dataTerminalReady)
{
    // A pseudo-terminal or a bare adapter has no modem lines, and under
    // hardware handshaking the port drives RTS itself; the data still flows.
    port_.setRequestToSend(requestToSend);
    port_.setDataTerminalReady(dataTerminalReady);
    port_.clearError();
}

namespace {

QChar ParityLetter(QSerialPort::Parity parity)
{
    switch (parity) {
    case QSerialPort::EvenParity: return u'E';
    case QSerialPort::OddParity: return u'O';
    case QSerialPort::SpaceParity: return u'S';
    case QSerialPort::MarkParity: return u'M';
    default: return u'N';
    }
}

} // namespace

// Read back from the port, so a driver that did not take a setting shows.
// A pseudo-terminal has no modem lines to tell.
LineState SerialPortDevice::lineState()
{
    LineState state;
    QSerialPort& port = port_;
    if (!port.isOpen())
        return state;
    state.settings = QStringLiteral("%1,%2,%3,%4")
                         .arg(port.baudRate())
                         .arg(ParityLetter(port.parity()))
                         .arg(int(port.dataBits()))
                         .arg(port.stopBits() == QSerialPort::TwoStop ? 2 : 1);
    const QSerialPort::PinoutSignals pins = port.pinoutSignals();
    if (port.error() == QSerialPort::NoError) {
        state.modemLines = true;
        state.clearToSend = pins & QSerialPort::ClearToSendSignal;
        state.dataSetReady = pins & QSerialPort::DataSetReadySignal;
        state.carrierDetect = pins & QSerialPort::DataCarrierDetectSignal;
        state.ringIndicator = pins & QSerialPort::RingIndicatorSignal;
    }
    port.clearError();
    return state;
}

} // namespace pb
