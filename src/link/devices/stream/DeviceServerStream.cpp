#include "link/devices/stream/DeviceServerStream.h"

#include <utility>

namespace pb {

DeviceServerStream::DeviceServerStream(const TcpAddress& address, const LineSettings& settings)
    : address_(address),
      framing_(address.protocol == ServerProtocol::Rfc2217 ? Framing::Telnet : Framing::Undecided)
{
    if (address.protocol == ServerProtocol::Rfc2217)
        setup_.emplace(settings);
}

QByteArray DeviceServerStream::opening()
{
    return setup_ ? setup_->opening() : QByteArray();
}

QByteArray DeviceServerStream::received(const QByteArray& bytes)
{
    switch (framing_) {
    case Framing::Raw:
        return bytes;
    case Framing::Telnet:
        return decodeTelnet(bytes);
    case Framing::Undecided:
        break;
    }
    held_ += bytes;
    if (held_.isEmpty())
        return QByteArray();
    if (static_cast<uint8_t>(held_[0]) == telnet::kIac && held_.size() < 2)
        return QByteArray(); // the next byte tells
    const auto second = held_.size() > 1 ? static_cast<uint8_t>(held_[1]) : 0;
    // IAC followed by SB, WILL, WONT, DO or DONT: a Telnet server greeting.
    if (static_cast<uint8_t>(held_[0]) == telnet::kIac && second >= telnet::kSb && second != telnet::kIac) {
        framing_ = Framing::Telnet;
        notices_ << QStringLiteral("%1 speaks Telnet: name the port rfc2217://%2 (or set the server's port to raw)")
                        .arg(urlText(), addressText());
        return decodeTelnet(std::exchange(held_, QByteArray()));
    }
    framing_ = Framing::Raw;
    return std::exchange(held_, QByteArray());
}

QByteArray DeviceServerStream::outgoing(const QByteArray& data) const
{
    return framing_ == Framing::Telnet ? telnet::Escaped(data) : data;
}

QByteArray DeviceServerStream::takeReplies()
{
    return std::exchange(replies_, QByteArray());
}

QStringList DeviceServerStream::takeNotices()
{
    return std::exchange(notices_, QStringList());
}

bool DeviceServerStream::settled() const
{
    return !setup_ || setup_->state() == ComPortSetup::State::Done;
}

void DeviceServerStream::reportUntaken()
{
    if (!setup_)
        return;
    const QStringList untaken = setup_->untaken();
    if (!untaken.isEmpty())
        notices_ << QStringLiteral("%1 did not take: %2").arg(urlText(), untaken.join(QStringLiteral(", ")));
}

void DeviceServerStream::reportClosed()
{
    notices_ << QStringLiteral("%1 closed the connection before the port was open").arg(urlText());
}

// Only a server that is set through this stream is answered; one met by
// mistake on a tcp:// port is read, not talked to.
QByteArray DeviceServerStream::decodeTelnet(const QByteArray& bytes)
{
    const QByteArray data = decoder_.decode(bytes);
    for (const telnet::Command& command : decoder_.takeCommands()) {
        if (setup_)
            replies_ += setup_->take(command);
    }
    if (decoder_.droppedCommands() > 0 && !saidDropped_) {
        saidDropped_ = true;
        notices_ << QStringLiteral("%1 sent a Telnet command that did not end within %2 bytes: "
                                   "it was dropped and what followed was passed on as data")
                        .arg(urlText())
                        .arg(telnet::Decoder::kMostPayload);
    }
    if (setup_ && setup_->stoppedNegotiating() && !saidStopped_) {
        saidStopped_ = true;
        notices_ << QStringLiteral("%1 kept changing its Telnet options: they are no longer answered").arg(urlText());
    }
    return data;
}

QString DeviceServerStream::urlText() const
{
    return (address_.protocol == ServerProtocol::Rfc2217 ? QStringLiteral("rfc2217://") : QStringLiteral("tcp://"))
        + addressText();
}

QString DeviceServerStream::addressText() const
{
    const QString host = address_.host.contains(u':') ? u'[' + address_.host + u']' : address_.host;
    return host + u':' + QString::number(address_.port);
}

} // namespace pb
