#pragma once
// The whole benchmark: the program beside the minimal program, each figure
// measured in the same run, printed as one table.
#include <QString>

namespace pb::bench {

struct SuiteOptions {
    QString program;  // pagerbench
    QString minimal;  // pagerbench-bench-minimal
    QString unitsim;  // pagerbench-unitsim
    int unitType = 3;
    int starts = 20;
    int idleSeconds = 30;
    int ticks = 2000;
};

// 0 when every figure was measured (whether or not it met its target).
int RunSuite(const SuiteOptions& options);

} // namespace pb::bench
