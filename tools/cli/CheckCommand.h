#pragma once
// pagerbench-cli check: why the unit does not answer, step by step.
#include "UnitCommands.h"

namespace pb::cli {

// Each step's finding as a line as soon as it is known, then the verdict;
// with --json every finding as values at the end. 0 when the unit answered,
// 1 when the port opened but the unit did not answer as it should, 3 when
// the port did not open.
int Check(const UnitCommand& command);

} // namespace pb::cli
