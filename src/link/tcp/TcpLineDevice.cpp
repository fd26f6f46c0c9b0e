#include "link/tcp/TcpLineDevice.h"

#include "link/WaitingBytes.h"

namespace pb {

namespace {

bool meansLineLost(QAbstractSocket::SocketError error)
{
    return error == QAbstractSocket::RemoteHostClosedError
        || error == QAbstractSocket::NetworkError
        || error == QAbstractSocket::SocketAccessError
        || error == QAbstractSocket::SocketResourceError;
}

} // namespace

TcpLineDevice::TcpLineDevice(QString host, quint16 port) : host_(std::move(host)), port_(port)
{
    QObject::connect(&socket_, &QAbstractSocket::errorOccurred, &socket_, [this](QAbstractSocket::SocketError error) {
        if (reopening_)
            finishReopening(false);
        else if (meansLineLost(error) && onGone)
            onGone(socket_.errorString());
    });
    QObject::connect(&socket_, &QAbstractSocket::connected, &socket_, [this] {
        if (reopening_)
            finishReopening(true);
    });
    reopenTimer_.setSingleShot(true);
    QObject::connect(&reopenTimer_, &QTimer::timeout, &socket_, [this] { finishReopening(false); });
}

bool TcpLineDevice::open(const LineSettings&)
{
    close();
    socket_.connectToHost(host_, port_);
    if (!socket_.waitForConnected(kConnectWaitMs)) {
        socket_.abort();
        return false;
    }
    setLowDelay();
    return true;
}

// The host lookup and the connection run in the background, so that the
// window and the protocol tick go on while the server does not answer.
void TcpLineDevice::reopen(const LineSettings&)
{
    close();
    reopening_ = true;
    reopenTimer_.start(kConnectWaitMs);
    socket_.connectToHost(host_, port_);
}

void TcpLineDevice::close()
{
    reopening_ = false;
    reopenTimer_.stop();
    socket_.abort();
}

QByteArray TcpLineDevice::readWaiting()
{
    return TakeWaitingBytes(socket_);
}

bool TcpLineDevice::write(const QByteArray& bytes)
{
    const bool handedOver = socket_.write(bytes) == bytes.size();
    socket_.flush();
    return handedOver;
}

void TcpLineDevice::clearInput()
{
    socket_.readAll(); // a socket has no input buffer to clear but its own
}

// One byte at a time goes out at once, as on a serial line.
void TcpLineDevice::setLowDelay()
{
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
}

void TcpLineDevice::finishReopening(bool connected)
{
    reopening_ = false;
    reopenTimer_.stop();
    if (connected)
        setLowDelay();
    else
        socket_.abort();
    if (onReopened)
        onReopened(connected);
}

} // namespace pb
