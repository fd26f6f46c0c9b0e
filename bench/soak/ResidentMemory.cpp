#include "ResidentMemory.h"

#include <fstream>
#include <string>

namespace pb::bench {

long long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    const std::string label = "VmRSS:";
    for (std::string line; std::getline(status, line);) {
        if (line.compare(0, label.size(), label) == 0)
            return std::stoll(line.substr(label.size()));
    }
    return -1;
}

} // namespace pb::bench
