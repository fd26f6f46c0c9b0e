#pragma once
// What the soak asks of the unit, in a fixed round: single reads and writes
// of the shown rows and a test call, with read all and write all now and
// then, each as the window's buttons ask.
#include "SoakRig.h"

#include "settings/UnitCatalogue.h"

#include <vector>

namespace pb::bench {

class Workload {
public:
    explicit Workload(int16_t unitType);

    // Asks for the next operation.
    void askNext(SoakRig& rig);

private:
    enum class Operation { Read, Write, TestCall, ReadAll, WriteAll };
    Operation operationAt(long long step) const;
    int16_t rowAt(long long step) const;
    int16_t optionAt(long long step, int16_t row) const;

    GridDefinition layout_;
    std::vector<int16_t> rows_; // the rows the unit type shows
    long long step_ = 0;
};

} // namespace pb::bench
