#include "link/PortMap.h"

#include <utility>

namespace pb {

PortMap::PortMap(EnvironmentLookup environment, PortEntries entries, const QList<PortDescription>& present)
    : environment_(std::move(environment)), entries_(std::move(entries)), present_(present),
      automatic_(AutomaticPortNumbers(present))
{
}

PortMap PortMap::load(const ProgramFolder& folder, const QList<PortDescription>& present)
{
    return PortMap(ProcessEnvironment(), ReadPortEntries(folder), present);
}

// A device named by path or by its by-id link finds its adapter's description.
const PortDescription* PortMap::described(const QString& device) const
{
    for (const PortDescription& port : present_) {
        const bool byId = !port.byIdName.isEmpty() && QStringLiteral("/dev/serial/by-id/") + port.byIdName == device;
        if (port.systemLocation == device || byId)
            return &port;
    }
    return nullptr;
}

PortChoice PortMap::choice(int portNumber) const
{
    if (portNumber < 1)
        return {};
    const auto named = [this](const QString& device, PortRule rule) {
        return PortChoice{device, PortDisplayText(device, described(device)), rule};
    };
    const QString fromEnvironment = environment_(PortEnvironmentVariable(portNumber));
    if (!fromEnvironment.isEmpty())
        return named(fromEnvironment, PortRule::Environment);
    const auto entry = entries_.find(portNumber);
    if (entry != entries_.end())
        return named(entry->second, PortRule::PortsFile);
    const auto automatic = automatic_.find(portNumber);
    if (automatic != automatic_.end())
        return named(automatic->second.systemLocation, PortRule::Automatic);
    const QString platform = PlatformPortDevice(portNumber);
    return {platform, platform, PortRule::Platform};
}

QString PortMap::entryText(int portNumber) const
{
    const QString name = QStringLiteral("Com") + QString::number(portNumber);
    const PortChoice port = choice(portNumber);
    if (port.rule == PortRule::Platform)
        return name;
    return name + QStringLiteral(" \u2013 ") + port.display;
}

QString ResolvePortDevice(int portNumber, const ProgramFolder& folder, const PresentPortsSource& present)
{
    const PortEntries entries = ReadPortEntries(folder);
    const PortChoice named = PortMap(ProcessEnvironment(), entries, {}).choice(portNumber);
    if (named.rule != PortRule::Platform || portNumber < 1)
        return named.device;
    return PortMap(ProcessEnvironment(), entries, present()).device(portNumber);
}

} // namespace pb
