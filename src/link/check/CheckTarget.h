#pragma once
// The port a check is for: the name as given, the device it stands for and
// the rule that said so, as `pagerbench-cli ports` shows them.
#include "files/ProgramFolder.h"
#include "link/ports/DeviceIdentity.h"

#include <QString>

namespace pb {

struct CheckTarget {
    QString name;          // "Com3", "/dev/ttyUSB0", "tcp://host:4001"
    DeviceIdentity device; // what is opened; an empty device for a number nothing stands for
    QString rule;          // "environment", "ports.ini", "automatic", "platform", "device path", "device server"
};

// "Com<n>" resolves as the program resolves it; anything else names the
// device itself.
CheckTarget TargetOf(const QString& name, const ProgramFolder& folder);

} // namespace pb
