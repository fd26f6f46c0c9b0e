#include "link/tcp/TcpModule.h"

#include "link/tcp/TcpLineDevice.h"

namespace pb {

std::unique_ptr<LineDevice> TcpModule::createLine(const QString& host, quint16 port)
{
    return std::make_unique<TcpLineDevice>(host, port);
}

} // namespace pb
