#include "link/check/CheckTarget.h"

#include "files/PortsFile.h"
#include "link/devices/TcpDevice.h"
#include "link/ports/PortMap.h"
#include "link/ports/PresentPorts.h"

namespace pb {

namespace {

QString RuleName(PortRule rule)
{
    switch (rule) {
    case PortRule::Environment: return QStringLiteral("environment");
    case PortRule::PortsFile: return QStringLiteral("ports.ini");
    case PortRule::Automatic: return QStringLiteral("automatic");
    case PortRule::Platform: return QStringLiteral("platform");
    }
    return QString();
}

} // namespace

CheckTarget TargetOf(const QString& name, const ProgramFolder& folder)
{
    const int number = PortNumberOfName(name);
    if (number >= 1 && number <= 99) {
        const PortChoice choice = PortMap::look(folder, PresentPorts()).choice(number);
        return {name, ResolvePort(number, folder, PresentPorts), RuleName(choice.rule)};
    }
    return {name, DeviceIdentity(name), IsTcpDevice(name) ? QStringLiteral("device server") : QStringLiteral("device path")};
}

} // namespace pb
