#include "link/check/CheckTarget.h"

#include "files/PortsFile.h"
#include "link/devices/TcpDevice.h"
#include "link/ports/PortMap.h"
#include "link/ports/PresentPorts.h"

namespace pb {

CheckTarget TargetOf(const QString& name, const ProgramFolder& folder)
{
    const int number = PortNumberOfName(name);
    if (number >= 1 && number <= 99) {
        const PortChoice choice = PortMap::look(folder, PresentPorts()).choice(number);
        return {name, ResolvePort(number, folder, PresentPorts), PortRuleName(choice.rule)};
    }
    return {name, DeviceIdentity(name), IsTcpDevice(name) ? QStringLiteral("device server") : QStringLiteral("device path")};
}

} // namespace pb
