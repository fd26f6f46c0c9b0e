#include "Workload.h"

#include <algorithm>
#include <array>

namespace pb::bench {

namespace {

// Read all, then write all, once in so many steps.
constexpr long long kWholeGridEvery = 500;

} // namespace

Workload::Workload(const GridModel& grid)
{
    for (int row = 0; row < kGridRows; ++row) {
        if (grid.shown(row))
            rows_.push_back(row);
    }
}

Workload::Operation Workload::operationAt(long long step) const
{
    switch (step % kWholeGridEvery) {
    case 0: return Operation::ReadAll;
    case 1: return Operation::WriteAll;
    default: break;
    }
    // A round of six exchanges: two reads, two writes, a call-number
    // request and a call.
    constexpr std::array kRound{Operation::Read, Operation::Write, Operation::Read, Operation::Write,
                                Operation::TestCall};
    return kRound[std::size_t(step) % kRound.size()];
}

// Steps through the rows so that neighbouring steps touch different rows.
int Workload::rowAt(long long step) const
{
    return rows_[std::size_t(step) % rows_.size()];
}

void Workload::askNext(SoakRig& rig)
{
    const long long step = step_++;
    const Operation operation = operationAt(step);
    UnitOperations& operations = rig.operations();
    rig.window().show(operation == Operation::TestCall ? ServiceTab : UnitTab);
    switch (operation) {
    case Operation::Read:
        operations.ReadSingleSetting(rowAt(step));
        break;
    case Operation::Write: {
        // Each write picks another option of its row, as a user would.
        const int row = rowAt(step);
        GridModel& grid = rig.grid();
        const long long options = std::max(1, grid.count(row));
        grid.select(row, int(step / static_cast<long long>(rows_.size()) % options));
        operations.WriteSingleSetting(row);
        break;
    }
    case Operation::TestCall:
        operations.TestCall();
        break;
    case Operation::ReadAll:
        operations.ReadAll();
        break;
    case Operation::WriteAll:
        operations.WriteAll();
        break;
    }
}

} // namespace pb::bench
