#pragma once
// A serial device server reached over the network: the port's device is
// then named "tcp://HOST:PORT" instead of a serial device.
#include <QString>
#include <optional>

namespace pb {

struct TcpAddress {
    QString host;
    quint16 port = 0;
};

// True for a device name in the tcp:// form, valid or not.
bool IsTcpDevice(const QString& device);

// The host and port of "tcp://HOST:PORT"; nothing without a host or with a
// port outside 1..65535, so such a name fails like a port that cannot open.
std::optional<TcpAddress> ParseTcpDevice(const QString& device);

} // namespace pb
