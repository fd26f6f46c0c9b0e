#include "link/devices/network/TcpLineDevice.h"

#include "link/devices/stream/WaitingBytes.h"
#include "link/devices/network/KeepAlive.h"

#include <QDeadlineTimer>
#include <utility>

namespace pb {

namespace {

bool meansLineLost(QAbstractSocket::SocketError error)
{
    return error == QAbstractSocket::RemoteHostClosedError
        || error == QAbstractSocket::NetworkError
        || error == QAbstractSocket::SocketAccessError
        || error == QAbstractSocket::SocketResourceError;
}

// Why a connection did not come about.
DeviceErrorKind kindOf(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::HostNotFoundError:
    case QAbstractSocket::NetworkError:
        return DeviceErrorKind::Unreachable;
    case QAbstractSocket::ConnectionRefusedError:
        return DeviceErrorKind::Refused;
    case QAbstractSocket::SocketTimeoutError:
        return DeviceErrorKind::TimedOut;
    case QAbstractSocket::RemoteHostClosedError:
        return DeviceErrorKind::ClosedByPeer;
    case QAbstractSocket::SocketAccessError:
        return DeviceErrorKind::Forbidden;
    default:
        return DeviceErrorKind::Other;
    }
}

} // namespace

TcpLineDevice::TcpLineDevice(const TcpAddress& address) : address_(address)
{
    QObject::connect(&socket_, &QAbstractSocket::errorOccurred, &socket_, [this](QAbstractSocket::SocketError error) {
        if (openingInBackground_)
            finishOpening(false);
        else if (stage_ == Stage::Open && meansLineLost(error))
            lost();
    });
    // A connection that the keep-alive found dead ends without an error
    // that says so.
    QObject::connect(&socket_, &QAbstractSocket::disconnected, &socket_, [this] {
        if (stage_ == Stage::Open)
            lost();
    });
    QObject::connect(&socket_, &QAbstractSocket::connected, &socket_, [this] {
        if (openingInBackground_)
            connected();
    });
    QObject::connect(&socket_, &QIODevice::readyRead, &socket_, [this] {
        if (stage_ != Stage::SettingLine)
            return; // the line's bytes wait for readWaiting
        if (received_.size() >= kReadBufferBytes)
            return; // a server that floods while the line is set waits too
        takeFromServer(socket_.readAll());
        if (openingInBackground_ && stream_->settled())
            finishOpening(true);
    });
    // A server that sends faster than the line is read is held back by TCP
    // rather than by memory here.
    socket_.setReadBufferSize(kReadBufferBytes);
    openTimer_.setSingleShot(true);
    QObject::connect(&openTimer_, &QTimer::timeout, &socket_, [this] {
        // Settings the server left unanswered do not keep the port shut.
        finishOpening(stage_ == Stage::SettingLine);
    });
}

DeviceError TcpLineDevice::open(const LineSettings& settings)
{
    startLine(settings);
    if (!socket_.waitForConnected(kConnectWaitMs)) {
        const DeviceError error{kindOf(socket_.error()), socket_.errorString()};
        close();
        return error;
    }
    connected();
    const QDeadlineTimer deadline(kSettingsWaitMs);
    // A chatty unit behind the server must not stretch the wait.
    while (!stream_->settled() && !deadline.hasExpired()
           && socket_.waitForReadyRead(int(deadline.remainingTime()))) {
    }
    if (!isOpen()) {
        const DeviceError error{DeviceErrorKind::ClosedByPeer, socket_.errorString()};
        stream_->reportClosed();
        passOn();
        close();
        return error;
    }
    lineSet();
    return {};
}

// The host lookup, the connection and the server's answers come in the
// background, so that the window and the protocol tick go on meanwhile.
void TcpLineDevice::openInBackground(const LineSettings& settings)
{
    startLine(settings);
    openingInBackground_ = true;
    openTimer_.start(kConnectWaitMs);
}

void TcpLineDevice::close()
{
    openingInBackground_ = false;
    openTimer_.stop();
    stage_ = Stage::Closed;
    socket_.abort();
    received_.clear();
}

QByteArray TcpLineDevice::readWaiting()
{
    if (stream_)
        takeFromServer(TakeWaitingBytes(socket_));
    return std::exchange(received_, QByteArray());
}

bool TcpLineDevice::write(const QByteArray& bytes)
{
    const QByteArray out = stream_ ? stream_->outgoing(bytes) : bytes;
    const bool handedOver = socket_.write(out) == out.size();
    socket_.flush();
    return handedOver;
}

// What came is taken through the stream and dropped. The server is not
// asked to purge its buffer: ser2net does that after it has passed on the
// request that follows, and so drops the unit's reply to it.
void TcpLineDevice::clearInput()
{
    readWaiting();
}

void TcpLineDevice::startLine(const LineSettings& settings)
{
    close();
    settingsText_ = settings.text;
    stream_ = std::make_unique<DeviceServerStream>(address_, settings);
    stage_ = Stage::Connecting;
    socket_.connectToHost(address_.host, address_.port);
}

// One byte at a time goes out at once, as on a serial line.
void TcpLineDevice::connected()
{
    stage_ = Stage::SettingLine;
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    KeepConnectionAlive(socket_);
    socket_.write(stream_->opening());
    socket_.flush();
    takeFromServer(socket_.readAll());
    if (!openingInBackground_)
        return;
    if (stream_->settled())
        finishOpening(true);
    else
        openTimer_.start(kSettingsWaitMs);
}

void TcpLineDevice::takeFromServer(const QByteArray& bytes)
{
    if (!bytes.isEmpty())
        received_ += stream_->received(bytes);
    passOn();
}

// The answers the stream owes the server, and its lines for the log.
void TcpLineDevice::passOn()
{
    if (const QByteArray replies = stream_->takeReplies(); !replies.isEmpty() && isOpen()) {
        socket_.write(replies);
        socket_.flush();
    }
    const QStringList notices = stream_->takeNotices();
    for (const QString& line : notices) {
        if (onNotice)
            onNotice(line);
    }
}

void TcpLineDevice::lineSet()
{
    stage_ = Stage::Open;
    stream_->reportUntaken();
    passOn();
}

void TcpLineDevice::finishOpening(bool connected)
{
    openingInBackground_ = false;
    openTimer_.stop();
    DeviceError error;
    if (connected && isOpen()) {
        lineSet();
    } else if (stage_ == Stage::Connecting && socket_.error() == QAbstractSocket::UnknownSocketError) {
        error = {DeviceErrorKind::TimedOut, QStringLiteral("Connection timed out")};
    } else {
        error = {stage_ == Stage::Connecting ? kindOf(socket_.error()) : DeviceErrorKind::ClosedByPeer,
                 socket_.errorString()};
    }
    if (error.failed())
        close();
    if (onOpenedInBackground)
        onOpenedInBackground(error);
}

// Told once; Datacom closes the device soon after, which frees the server's
// connection for the reopen.
void TcpLineDevice::lost()
{
    stage_ = Stage::Closed;
    const bool hungUp = socket_.error() == QAbstractSocket::RemoteHostClosedError;
    if (onGone)
        onGone({hungUp ? DeviceErrorKind::ClosedByPeer : DeviceErrorKind::Lost, socket_.errorString()});
}

LineState TcpLineDevice::lineState()
{
    LineState state;
    if (!stream_ || !stream_->setsLine())
        return state;
    state.settings = settingsText_;
    state.serverSettings = true;
    state.notConfirmed = stream_->untaken();
    return state;
}

} // namespace pb
