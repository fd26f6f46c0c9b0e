#pragma once
// What the soak asks of the unit, in a fixed round: single reads and writes
// of the shown rows and a test call, with read all and write all now and
// then. Every request goes through UnitOperations, as a button's would.
#include "SoakRig.h"

#include <vector>

namespace pb::bench {

class Workload {
public:
    explicit Workload(const GridModel& grid);

    // Shows the tab and asks for the next operation.
    void askNext(SoakRig& rig);

private:
    enum class Operation { Read, Write, TestCall, ReadAll, WriteAll };
    Operation operationAt(long long step) const;
    int rowAt(long long step) const;

    std::vector<int> rows_; // the rows the unit type shows
    long long step_ = 0;
};

} // namespace pb::bench
