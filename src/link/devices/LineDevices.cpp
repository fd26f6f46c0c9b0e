#include "link/devices/LineDevices.h"

#include "link/devices/NetworkLine.h"
#include "link/devices/TcpDevice.h"

namespace pb {

namespace {

std::unique_ptr<LineDevice> deviceServer(const QString& name)
{
    const std::optional<TcpAddress> address = ParseTcpDevice(name);
    if (!address)
        return nullptr;
    NetworkLineFactory* module = LoadNetworkModule();
    if (!module) {
        qWarning("The network module %s was not found: tcp:// and rfc2217:// ports cannot open.",
                 qPrintable(NetworkModuleFileName()));
        return nullptr;
    }
    return module->createLine(*address);
}

} // namespace

std::unique_ptr<LineDevice> MakeLineDevice(const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    if (IsTcpDevice(name))
        return deviceServer(name);
    return MakeSerialLine(name);
}

} // namespace pb
