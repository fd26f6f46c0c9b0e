#include "link/ports/PortMap.h"

#include "link/ports/AdapterNumbersFile.h"

#include <utility>

namespace pb {

PortMap::PortMap(EnvironmentLookup environment, PortEntries entries, const QList<PortDescription>& present,
                 const AdapterNumbers& remembered)
    : environment_(std::move(environment)), entries_(std::move(entries)), present_(present),
      automatic_(AutomaticPortNumbers(present, remembered)), remembered_(remembered)
{
}

PortMap PortMap::load(const ProgramFolder& folder, const QList<PortDescription>& present)
{
    return PortMap(ProcessEnvironment(), ReadPortEntries(folder), present, RememberAdapterNumbers(folder, present));
}

// The numbering gives new adapters the same numbers from the file's numbers
// as from those load keeps, so both maps name the same devices.
PortMap PortMap::look(const ProgramFolder& folder, const QList<PortDescription>& present)
{
    return PortMap(ProcessEnvironment(), ReadPortEntries(folder), present,
                   ReadAdapterNumbers(folder.adapterNumbersFile()));
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
        const PortDescription* port = described(device);
        return PortChoice{device, PortDisplayText(device, port), rule, QString(),
                          port != nullptr ? std::optional<PortDescription>(*port) : std::nullopt};
    };
    const QString fromEnvironment = environment_(PortEnvironmentVariable(portNumber));
    if (!fromEnvironment.isEmpty())
        return named(fromEnvironment, PortRule::Environment);
    const auto entry = entries_.find(portNumber);
    if (entry != entries_.end())
        return named(entry->second, PortRule::PortsFile);
    const auto automatic = automatic_.find(portNumber);
    if (automatic != automatic_.end()) {
        PortChoice port = named(automatic->second.systemLocation, PortRule::Automatic);
        port.adapterKey = AdapterKey(automatic->second);
        return port;
    }
    // The number stays the absent adapter's: nothing opens until it is back.
    const auto kept = remembered_.find(portNumber);
    if (kept != remembered_.end())
        return {QString(), QString(), PortRule::Automatic, kept->second, std::nullopt};
    return named(PlatformPortDevice(portNumber), PortRule::Platform);
}

QString PortMap::entryText(int portNumber) const
{
    const QString name = QStringLiteral("Com") + QString::number(portNumber);
    const PortChoice port = choice(portNumber);
    if (port.rule == PortRule::Platform || port.device.isEmpty())
        return name;
    return name + QStringLiteral(" \u2013 ") + port.display;
}

QList<PortDescription> PortMap::unreached(int lastPort) const
{
    QStringList reached;
    for (int number = 1; number <= lastPort; ++number) {
        const PortChoice port = choice(number);
        if (port.presentPort)
            reached << port.presentPort->systemLocation;
    }
    QList<PortDescription> ports;
    for (const PortDescription& port : present_) {
        if (!reached.contains(port.systemLocation))
            ports.append(port);
    }
    return ports;
}

DeviceIdentity ResolvePort(int portNumber, const ProgramFolder& folder, const PresentPortsSource& present)
{
    const PortEntries entries = ReadPortEntries(folder);
    const PortChoice named = PortMap(ProcessEnvironment(), entries, {}).choice(portNumber);
    if (named.rule != PortRule::Platform || portNumber < 1)
        return named.device;
    const QList<PortDescription> ports = present();
    const PortChoice port =
        PortMap(ProcessEnvironment(), entries, ports, RememberAdapterNumbers(folder, ports)).choice(portNumber);
    return {port.device, port.adapterKey};
}

QString ResolvePortDevice(int portNumber, const ProgramFolder& folder, const PresentPortsSource& present)
{
    return ResolvePort(portNumber, folder, present).device;
}

QString PortRuleName(PortRule rule)
{
    switch (rule) {
    case PortRule::Environment: return QStringLiteral("environment");
    case PortRule::PortsFile: return QStringLiteral("ports.ini");
    case PortRule::Automatic: return QStringLiteral("automatic");
    case PortRule::Platform: return QStringLiteral("platform");
    }
    return QString();
}

} // namespace pb
