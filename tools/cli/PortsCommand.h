#pragma once
// pagerbench-cli ports: what Com 1 to 30 stand for on this machine and by
// which rule, and the present ports none of them reaches. It only looks:
// no port opens, and no adapter is given a number to keep.
#include "CliOutput.h"

#include "files/ProgramFolder.h"

namespace pb::cli {

// Aligned lines, or with `json` one JSON document; returns the exit status.
int ListPorts(const ProgramFolder& folder, bool json, const CliOutput& output);

} // namespace pb::cli
