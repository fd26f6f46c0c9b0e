#include "link/LineDevices.h"

#include "link/NetworkLine.h"
#include "link/TcpDevice.h"
#ifdef Q_OS_WIN
#include "link/win/Win32LineDevice.h"
#else
#include "link/SerialPortDevice.h"
#endif

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
#ifdef Q_OS_WIN
    return std::make_unique<Win32LineDevice>(name);
#else
    return std::make_unique<SerialPortDevice>(name);
#endif
}

} // namespace pb
