#include "link/Datacom.h"

#include "link/DatacomSettings.h"
#include "link/PortName.h"
#include "link/TcpDevice.h"
#include "texts/TextNumbers.h"

#include <QFileInfo>
#include <QThread>

namespace pb {

namespace {

// A number as the log writes it: a blank in place of the plus sign.
QString signedText(int value)
{
    return value < 0 ? QString::number(value) : u' ' + QString::number(value);
}

// The lock file of the port follows the name it was opened by, so a link
// such as /dev/serial/by-id/... is opened as the device it points to.
QString resolvedDevice(const QString& device)
{
#ifdef Q_OS_WIN
    return device;
#else
    const QFileInfo info(device);
    return info.isSymLink() && info.exists() ? info.canonicalFilePath() : device;
#endif
}

bool meansLineLost(QSerialPort::SerialPortError error)
{
    // A hung-up device shows as read errors first and a resource error later.
    // Counting the read and write errors too is safe: the port comes back by
    // itself when the device still answers.
    return error == QSerialPort::ReadError || error == QSerialPort::WriteError
        || error == QSerialPort::ResourceError;
}

// A device server that does not answer by then counts as not there.
constexpr int kConnectWaitMs = 2000;

} // namespace

Datacom::Datacom(LogSink& log, const TextTable& texts, LampFlags& lamps)
    : log_(log), Tekst(texts), lamps_(lamps)
{
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) {
                         if (io_ == &port_ && meansLineLost(error))
                             noteLost(port_.errorString());
                     });
    relinkTimer_.setInterval(kRelinkIntervalMs);
    QObject::connect(&relinkTimer_, &QTimer::timeout, &relinkTimer_, [this] { tryRelink(); });
}

int16_t Datacom::OpenComPort(int16_t portIndex, int16_t speedCode, int16_t parityCode,
                             int16_t dataBitsCode, int16_t stopBitsCode, int16_t handshakeCode)
{
    dropIfLost();
    relinkTimer_.stop(); // an open by the user replaces the relinking
    if (connecting_ && network_)
        network_->abort();
    connecting_ = false;
    const int portNumber = portIndex + 1;
    const OpenedWith with{portIndex, speedCode, parityCode, dataBitsCode, stopBitsCode, handshakeCode};
    const DeviceIdentity identity = deviceName ? deviceName(portNumber) : DeviceIdentity(PortDeviceName(portNumber));
    const bool opened = (!io_ || !io_->isOpen()) // a port is changed only while it is closed
        && openDevice(identity.device, with);
    if (opened || closedWhileAway_) {
        openedWith_ = with;
        opened_ = opened && !onNetwork() ? IdentifyOpened(identity, adapterLinks) : identity;
    }
    if (!opened) {
        log_.WriteLog(Tekst[TxtErrorOpeningComPort] + QStringLiteral(": ") + signedText(portNumber));
        // The device was away when the port was closed to be opened again
        // (the settings dialog's Save): keep waiting for the device named now.
        if (closedWhileAway_ && portNumber >= 1)
            relinkTimer_.start();
        return -1;
    }
    closedWhileAway_ = false;
    log_.WriteLog(QStringLiteral("Com:") + signedText(portNumber) + u' ' + Tekst[TxtOpenedWith]
                         + QStringLiteral(": ") + lineText(with));
    if (onCaption)
        onCaption(captionText(portNumber));
    return 0;
}

QString Datacom::lineText(const OpenedWith& with)
{
    return LineSettingsFromCodes(with.speedCode, with.parityCode, with.dataBitsCode, with.stopBitsCode).text;
}

QString Datacom::captionText(int portNumber) const
{
    return QStringLiteral("Serial Port: ") + QString::number(portNumber) + u' ' + lineText(openedWith_);
}

bool Datacom::openDevice(const QString& device, const OpenedWith& with)
{
    if (device.isEmpty())
        return false;
    if (!IsTcpDevice(device))
        return openSerial(device, with);
    // The device server keeps its own line settings.
    const std::optional<TcpAddress> address = ParseTcpDevice(device);
    if (!address || !loadNetwork() || !network_->connectTo(address->host, address->port, kConnectWaitMs))
        return false;
    useNetwork();
    return true;
}

bool Datacom::openSerial(const QString& device, const OpenedWith& with)
{
    const LineSettings line = LineSettingsFromCodes(with.speedCode, with.parityCode, with.dataBitsCode,
                                                    with.stopBitsCode);
    const HandshakeSettings handshake = HandshakeFromCode(with.handshakeCode);
    port_.setPortName(resolvedDevice(device));
    port_.setBaudRate(line.baudRate);
    port_.setParity(line.parity);
    port_.setDataBits(line.dataBits);
    port_.setStopBits(line.stopBits);
    port_.setFlowControl(handshake.flowControl);
    // Exclusive: a second program on the same port finds it busy.
    if (!port_.open(QIODevice::ReadWrite))
        return false;

    // A pseudo-terminal or a bare adapter has no modem lines, and under
    // hardware handshaking the port drives RTS itself; the data still flows.
    port_.setRequestToSend(handshake.requestToSend);
    port_.setDataTerminalReady(false);
    port_.clearError();
    io_ = &port_;
    lost_ = false;
    forgetReceived();
    return true;
}

void Datacom::useNetwork()
{
    io_ = &network_->device();
    lost_ = false;
    forgetReceived();
}

bool Datacom::loadNetwork()
{
    if (network_)
        return true;
    NetworkLineFactory* module = LoadNetworkModule();
    if (!module) {
        qWarning("The network module %s was not found: tcp:// ports cannot open.",
                 qPrintable(NetworkModuleFileName()));
        return false;
    }
    network_ = module->createLine();
    network_->onLost = [this](const QString& reason) {
        if (onNetwork())
            noteLost(reason);
    };
    network_->onConnectDone = [this](bool connected) {
        connecting_ = false;
        if (!connected)
            return; // the next try comes with the relink timer
        if (!relinkTimer_.isActive()) {
            network_->abort(); // nobody waits for this connection any more
            return;
        }
        useNetwork();
        relinked();
    };
    return true;
}

void Datacom::CloseComPort()
{
    dropIfLost();
    closedWhileAway_ = relinkTimer_.isActive();
    relinkTimer_.stop();
    if (connecting_ && network_)
        network_->abort();
    connecting_ = false;
    forgetReceived();
    bool failed = false;
    if (io_ == &port_ && port_.isOpen()) {
        port_.clearError();
        port_.close();
        failed = port_.isOpen();
    } else if (onNetwork()) {
        network_->abort();
    }
    io_ = nullptr;
    lost_ = false;
    log_.WriteLog(Tekst[failed ? TxtErrorClosingComPort : TxtComPortClosed] + u'.');
}

int16_t Datacom::ReadByte()
{
    if (dropIfLost())
        return -1;
    if (next_ >= received_.size()) {
        forgetReceived();
        if (!io_ || !io_->isOpen())
            return -1;
        // Inside the running event loop the port's notifier has fetched
        // what arrived. Without one (a caller stepping the engine itself)
        // the port only learns of new bytes when asked; a zero wait asks
        // without blocking. Asking on every tick would cost the idle
        // program a system call 40 times a second.
        if (io_->bytesAvailable() == 0 && QThread::currentThread()->loopLevel() == 0)
            io_->waitForReadyRead(0);
        // Nothing came: most ticks. Asking readAll would allocate a buffer
        // only to hand back an empty one.
        if (dropIfLost() || !io_ || io_->bytesAvailable() == 0)
            return -1;
        received_ = io_->readAll();
        if (received_.isEmpty())
            return -1;
    }
    lamps_.RxActief = kTrue;
    return static_cast<uint8_t>(received_[next_++]);
}

int16_t Datacom::SendByte(int16_t value)
{
    if (static_cast<uint16_t>(value) >= 256)
        return -1;
    lamps_.TxActief = kTrue; // the lamp shows attempts too
    if (dropIfLost() || !io_ || !io_->isOpen())
        return -1;
    const char byte = static_cast<char>(value);
    const bool handedOver = io_->write(&byte, 1) == 1;
    // Pass the byte to the device now rather than on a later event.
    if (io_ == &port_)
        port_.flush();
    else
        network_->flush();
    if (dropIfLost() || !handedOver)
        return -1;
    return 0;
}

void Datacom::FlushInput()
{
    forgetReceived();
    if (io_ == &port_ && port_.isOpen())
        port_.clear(QSerialPort::Input);
    else if (onNetwork())
        io_->readAll(); // a socket has no input buffer to clear but its own
}

bool Datacom::isOpen() const
{
    return io_ && io_->isOpen() && !lost_;
}

void Datacom::noteLost(const QString& reason)
{
    if (lost_ || !io_)
        return;
    lost_ = true;
    lostReason_ = reason;
    // While the event loop runs, a hung-up device keeps the port's read
    // notifier firing; closing soon, but outside the port's own call, ends it.
    QMetaObject::invokeMethod(&relinkTimer_, [this] { dropIfLost(); }, Qt::QueuedConnection);
}

// Closes the port once after the device failed, with one log line.
bool Datacom::dropIfLost()
{
    if (!lost_)
        return false;
    lost_ = false;
    forgetReceived();
    if (io_) {
        if (onNetwork())
            network_->abort();
        else
            port_.close();
        io_ = nullptr;
        log_.WriteLog(QStringLiteral("Comport lost: ") + lostReason_);
        relinkTimer_.start();
    }
    return true;
}

// Reopens the lost device the way it was opened; silent until it is back.
// A device server is reached in the background, so that the window and the
// protocol tick go on while it does not answer.
void Datacom::tryRelink()
{
    if (connecting_)
        return;
    const QString device = LocateDevice(
        opened_, opened_.adapterKey.isEmpty() || !presentPorts ? QList<PortDescription>() : presentPorts());
    if (device.isEmpty())
        return; // the adapter is not back yet
    if (IsTcpDevice(device)) {
        const std::optional<TcpAddress> address = ParseTcpDevice(device);
        if (address && loadNetwork()) {
            connecting_ = true;
            network_->connectInBackground(address->host, address->port, kConnectWaitMs);
        }
        return;
    }
    if (openSerial(device, openedWith_))
        relinked();
}

void Datacom::relinked()
{
    relinkTimer_.stop();
    closedWhileAway_ = false;
    const QString caption = captionText(openedWith_.portIndex + 1);
    log_.WriteLog(QStringLiteral("Comport back: ") + caption);
    if (onCaption)
        onCaption(caption);
}

void Datacom::forgetReceived()
{
    received_.clear();
    next_ = 0;
}

} // namespace pb
