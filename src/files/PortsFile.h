#pragma once
// ports.ini beside the configuration file: the device a site gives a port
// number, in section [ports] as "Com3=/dev/serial/by-id/..." or
// "Com5=tcp://10.0.0.20:4001". The file is a person's as much as the
// program's: read and changed line by line as IniText does, so comments and
// every other line stay, and a device is taken literally ("C:\dev\x").
#include "files/ProgramFolder.h"
#include "files/TextFile.h"

#include <map>

namespace pb {

// The devices by port number.
using PortEntries = std::map<int, QString>;

// One port's device; an empty device means the file names none.
struct PortEntry {
    int number = 0;
    QString device;
};

// n for a port's name such as "Com3" or "COM3" (n from 1 to 9999), as keys
// and the program's files write it; 0 for any other text.
int PortNumberOfName(const QString& name);

// The entries of the program's own ports.ini, or of the one shipped beside
// the executable while the program has none. Keys are read in any case
// ("COM3" as "Com3"); an entry with an empty device counts as missing.
PortEntries ReadPortEntries(const ProgramFolder& folder);

// Sets or, for an empty device, removes the port's entry in the program's
// own ports.ini, changing that one line. Its first copy starts as the
// shipped file, so that naming one port does not lose the others. An entry
// that already reads so writes nothing.
WriteOutcome WritePortEntry(const ProgramFolder& folder, const PortEntry& entry);

} // namespace pb
