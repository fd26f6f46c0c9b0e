#include "link/TcpDevice.h"

#include <QUrl>

namespace pb {

bool IsTcpDevice(const QString& device)
{
    return device.startsWith(QStringLiteral("tcp://"), Qt::CaseInsensitive);
}

std::optional<TcpAddress> ParseTcpDevice(const QString& device)
{
    if (!IsTcpDevice(device))
        return std::nullopt;
    const QUrl url(device, QUrl::StrictMode);
    const int port = url.port();
    if (!url.isValid() || url.host().isEmpty() || port < 1 || port > 65535
        || !(url.path().isEmpty() || url.path() == u"/"))
        return std::nullopt;
    return TcpAddress{url.host(), static_cast<quint16>(port)};
}

} // namespace pb
