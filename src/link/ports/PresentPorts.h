#pragma once
// The serial ports of this machine as the automatic numbering sees them.
#include "link/ports/PortNumbering.h"

#include <QHash>

namespace pb {

// The links of a folder such as /dev/serial/by-id: each target's canonical
// path and the link's name. A target with several links keeps the first
// name in order.
QHash<QString, QString> LinkNamesByTarget(const QString& folder);

// The ports the serial layer finds on Linux (built-in ports without hardware
// left out), each with its name in /dev/serial/by-id. On Windows the COM
// ports of its registry, which it numbers itself. In the system's own file
// (link/unix, link/win).
QList<PortDescription> PresentPorts();

} // namespace pb
