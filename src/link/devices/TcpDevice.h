#pragma once
// A serial device server reached over the network: the port's device is
// then named "tcp://HOST:PORT" (raw mode: the line's bytes and nothing
// else) or "rfc2217://HOST:PORT" (Telnet, the program setting the server's
// serial line) instead of a serial device.
#include <QString>
#include <optional>

namespace pb {

enum class ServerProtocol { Raw, Rfc2217 };

struct TcpAddress {
    QString host;
    quint16 port = 0;
    ServerProtocol protocol = ServerProtocol::Raw;
};

// True for a device name in the tcp:// or rfc2217:// form, valid or not.
bool IsTcpDevice(const QString& device);

// The host, port and protocol of "tcp://HOST:PORT" or "rfc2217://HOST:PORT";
// nothing without a host or with a port outside 1..65535, so such a name
// fails like a port that cannot open.
std::optional<TcpAddress> ParseTcpDevice(const QString& device);

} // namespace pb
