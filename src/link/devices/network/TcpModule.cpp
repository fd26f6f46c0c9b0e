#include "link/devices/network/TcpModule.h"

#include "link/devices/network/TcpLineDevice.h"

namespace pb {

std::unique_ptr<LineDevice> TcpModule::createLine(const TcpAddress& address)
{
    return std::make_unique<TcpLineDevice>(address);
}

} // namespace pb
