#include "link/check/HostFacts.h"

// Windows names no process that holds a COM port to a user without rights,
// and keeps no latency timer or modem manager a check could look at: a COM
// port is there when the system lists it.
#include "link/ports/PresentPorts.h"

namespace pb {

DeviceFacts FactsOf(const QString& device)
{
    DeviceFacts facts;
    for (const PortDescription& port : PresentPorts()) {
        if (port.systemLocation.compare(device, Qt::CaseInsensitive) != 0)
            continue;
        facts.exists = true;
        facts.product = port.description;
        facts.serialNumber = port.serialNumber;
    }
    return facts;
}

std::optional<PortHolder> HolderOf(const QString&)
{
    return std::nullopt;
}

bool ModemManagerRuns()
{
    return false;
}

QString HowToFindHolder(const QString&)
{
    return QString();
}

QString AccessAdvice()
{
    return QString();
}

} // namespace pb
