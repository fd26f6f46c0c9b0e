#include "Workload.h"

#include <algorithm>
#include <array>

namespace pb::bench {

namespace {

// Read all, then write all, once in so many steps.
constexpr long long kWholeGridEvery = 500;

} // namespace

Workload::Workload(int16_t unitType) : layout_(GridLayout(unitType))
{
    for (int16_t row = 0; row < kGridRows; ++row) {
        if (layout_[row].state == RowState::Shown)
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
int16_t Workload::rowAt(long long step) const
{
    return rows_[std::size_t(step) % rows_.size()];
}

void Workload::askNext(SoakRig& rig)
{
    const long long step = step_++;
    const Operation operation = operationAt(step);
    const ServingMode rows = ServingMode::RowsAndBulk;
    switch (operation) {
    case Operation::Read:
        rig.request(UnitRequest::ReadRow(rowAt(step)), rows);
        break;
    case Operation::Write:
        rig.request(UnitRequest::WriteRow(rowAt(step), optionAt(step, rowAt(step))), rows);
        break;
    case Operation::TestCall:
        rig.request(UnitRequest::TestCall([] { return CallFields{QStringLiteral("1234"), QStringLiteral("Soak"), 0}; }),
                    ServingMode::Call);
        break;
    case Operation::ReadAll:
    case Operation::WriteAll: {
        QList<RowValue> all;
        for (int16_t row : rows_)
            all.append({row, optionAt(step, row)});
        const bool read = operation == Operation::ReadAll;
        rig.request(read ? UnitRequest::ReadAll([all] { return all; }) : UnitRequest::WriteAll([all] { return all; }),
                    rows);
        break;
    }
    }
}

// Each write picks another option of its row, as a user would.
int16_t Workload::optionAt(long long step, int16_t row) const
{
    const long long options = std::max<long long>(1, layout_[row].options.size());
    return int16_t(step / static_cast<long long>(rows_.size()) % options);
}

} // namespace pb::bench
