#pragma once
// What passes between a device and a serial device server's connection,
// without the socket. Over rfc2217:// the stream is Telnet: 0xFF doubled,
// the server's commands taken out, the line set through the com port
// option. Over tcp:// it is the line's bytes as they are, unless the
// server opens with Telnet negotiation: then that is said once, and its
// commands are taken out too rather than read as the unit's replies.
#include "link/devices/stream/ComPortSetup.h"
#include "link/devices/TcpDevice.h"
#include "link/devices/stream/TelnetCodec.h"

#include <QStringList>
#include <optional>

namespace pb {

class DeviceServerStream {
public:
    DeviceServerStream(const TcpAddress& address, const LineSettings& settings);

    // What to send as soon as the connection stands.
    QByteArray opening();

    // The line's bytes among what the server sent.
    QByteArray received(const QByteArray& bytes);
    // The line's bytes as they go to the server.
    QByteArray outgoing(const QByteArray& data) const;

    // Answers due to the server, and lines for the log, since last asked.
    QByteArray takeReplies();
    QStringList takeNotices();

    // The server answered every setting (always so in raw mode).
    bool settled() const;
    // Over rfc2217:// the line is set by the program; the settings the
    // server did not confirm so far.
    bool setsLine() const { return setup_.has_value(); }
    QStringList untaken() const { return setup_ ? setup_->untaken() : QStringList(); }
    // Once every answer came or the wait for them is over: one line
    // naming the settings the server did not take, if any.
    void reportUntaken();
    // The server took the connection and hung up before the port opened
    // (while the line was being set, over rfc2217://).
    void reportClosed();

private:
    enum class Framing { Undecided, Raw, Telnet };

    QByteArray decodeTelnet(const QByteArray& bytes);
    QString addressText() const;
    QString urlText() const; // with the scheme the port was named with

    TcpAddress address_;
    Framing framing_;
    std::optional<ComPortSetup> setup_; // only over rfc2217://
    telnet::Decoder decoder_;
    QByteArray held_; // a lone 0xFF at the start of a raw stream
    QByteArray replies_;
    QStringList notices_;
    bool saidDropped_ = false; // a subnegotiation too long to be one
    bool saidStopped_ = false; // a server that would not stop negotiating
};

} // namespace pb
