#pragma once
// What "Com n" means on this machine, for the port to open and for the
// settings dialog's list. The first rule that names a device holds:
// PAGERBENCH_COM<n>, then ports.ini beside the configuration file, then the
// automatic numbering of the ports present, then the platform's own name.
#include "files/PortsFile.h"
#include "link/ports/DeviceIdentity.h"
#include "link/ports/PortName.h"
#include "link/ports/PortNumbering.h"

#include <functional>
#include <optional>

namespace pb {

enum class PortRule { Environment, PortsFile, Automatic, Platform };

// "environment", "ports.ini", "automatic", "platform": as listings name the rule.
QString PortRuleName(PortRule rule);

struct PortChoice {
    QString device;  // what the serial layer opens; empty for a number below 1
    QString display; // the device, with the adapter's description and serial number when known
    PortRule rule = PortRule::Platform;
    QString adapterKey; // the adapter's AdapterKey when the automatic numbering chose it
    std::optional<PortDescription> presentPort; // the port of this machine the device is, when present
};

class PortMap {
public:
    // `present` is what the automatic numbering numbers, keeping the numbers
    // adapters were given before; left empty, the numbers come from the
    // other rules alone.
    PortMap(EnvironmentLookup environment, PortEntries entries, const QList<PortDescription>& present,
            const AdapterNumbers& remembered = {});

    // From the process environment, the ports.ini the folder reads and the
    // numbers remembered for this machine's adapters, which it adds to.
    static PortMap load(const ProgramFolder& folder, const QList<PortDescription>& present);
    // The same map, but writing nothing: a new adapter shows the number it
    // would be given without being kept to it, so that looking at the
    // ports never claims a number.
    static PortMap look(const ProgramFolder& folder, const QList<PortDescription>& present);

    PortChoice choice(int portNumber) const;
    QString device(int portNumber) const { return choice(portNumber).device; }

    // "Com3", and after " – " what it stands for when a rule of this
    // machine names it: "Com3 – /dev/ttyUSB0 (FT232R USB UART, A10K3X)".
    QString entryText(int portNumber) const;

    // The present ports that none of Com 1 to lastPort stands for: numbered
    // above it, of a kind the numbering leaves out, or put aside by a rule
    // that names another device for their number.
    QList<PortDescription> unreached(int lastPort) const;

private:
    const PortDescription* described(const QString& device) const;

    EnvironmentLookup environment_;
    PortEntries entries_;
    QList<PortDescription> present_;
    std::map<int, PortDescription> automatic_;
    AdapterNumbers remembered_;
};

// The device to open for port n, resolved afresh on each opening, so that
// an adapter plugged in since counts. The present ports are listed only
// when neither the environment nor ports.ini names the port.
DeviceIdentity ResolvePort(int portNumber, const ProgramFolder& folder, const PresentPortsSource& present);
QString ResolvePortDevice(int portNumber, const ProgramFolder& folder, const PresentPortsSource& present);

} // namespace pb
