#include "link/devices/TcpDevice.h"

#include <QUrl>

namespace pb {

namespace {

std::optional<ServerProtocol> protocolOf(const QString& device)
{
    if (device.startsWith(QStringLiteral("tcp://"), Qt::CaseInsensitive))
        return ServerProtocol::Raw;
    if (device.startsWith(QStringLiteral("rfc2217://"), Qt::CaseInsensitive))
        return ServerProtocol::Rfc2217;
    return std::nullopt;
}

} // namespace

bool IsTcpDevice(const QString& device)
{
    return protocolOf(device).has_value();
}

std::optional<TcpAddress> ParseTcpDevice(const QString& device)
{
    const std::optional<ServerProtocol> protocol = protocolOf(device);
    if (!protocol)
        return std::nullopt;
    const QUrl url(device, QUrl::StrictMode);
    const int port = url.port();
    if (!url.isValid() || url.host().isEmpty() || port < 1 || port > 65535
        || !(url.path().isEmpty() || url.path() == u"/"))
        return std::nullopt;
    return TcpAddress{url.host(), static_cast<quint16>(port), *protocol};
}

} // namespace pb
