#include "link/UnitRequests.h"

#include <algorithm>

namespace pb {

void UnitRequests::dropAll()
{
    cancelRows();
    readAll_ = writeAll_ = testCall_ = false;
}

RowRequestCode UnitRequests::of(int row) const
{
    return row >= 0 && row < kGridRows ? rows_[row] : NoRequest;
}

bool UnitRequests::anyRowPending() const
{
    return std::any_of(rows_.begin(), rows_.end(), [](RowRequestCode r) { return r != NoRequest; });
}

int UnitRequests::firstPending(int lastRow) const
{
    for (int r = 0; r <= lastRow && r < kGridRows; ++r) {
        if (rows_[r] != NoRequest)
            return r;
    }
    return -1;
}

void UnitRequests::set(int row, RowRequestCode request)
{
    if (row >= 0 && row < kGridRows)
        rows_[row] = request;
}

bool UnitRequests::take(bool& flag)
{
    const bool was = flag;
    flag = false;
    return was;
}

} // namespace pb
