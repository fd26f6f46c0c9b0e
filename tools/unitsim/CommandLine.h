#pragma once
// The options of pagerbench-unitsim.
#include "unitsim/UnitOptions.h"

#include <string>

namespace pb::unitsim {

struct SimulatorOptions {
    UnitOptions unit;
    std::string linkPath;   // a symbolic link to make to the serial side
    std::string devicePath; // an existing device to use instead of a pseudo-terminal
    int tcpPort = 0;        // listen on 127.0.0.1 at this port instead, when set
    bool help = false;
};

// Fills the options from the arguments; an error text when one is wrong.
std::string ParseCommandLine(int argc, const char* const argv[], SimulatorOptions& options);

std::string Usage();

} // namespace pb::unitsim
