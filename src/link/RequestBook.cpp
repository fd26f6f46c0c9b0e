#include "link/RequestBook.h"

#include <algorithm>

namespace pb {

namespace {

bool IsGridRow(int row)
{
    return row >= 0 && row < kGridRows;
}

} // namespace

RequestId RequestBook::add(UnitRequest request)
{
    const RequestId id = ++lastId_;
    Record& record = open_[id];
    record.kind = request.kind;
    switch (request.kind) {
    case RequestKind::ReadRow:
    case RequestKind::WriteRow: {
        const RowValue row = request.row;
        if (!IsGridRow(row.row)) {
            record.failed = true;
            break;
        }
        const bool write = request.kind == RequestKind::WriteRow;
        setRow(row.row, write ? RowRequestCode::Write : RowRequestCode::Read, row.value, id);
        break;
    }
    case RequestKind::ReadAll: replaceQueued(readAll_, id); break;
    case RequestKind::WriteAll: replaceQueued(writeAll_, id); break;
    case RequestKind::TestCall: replaceQueued(testCall_, id); break;
    }
    record.request = std::move(request);
    return id;
}

void RequestBook::replaceQueued(RequestId& slot, RequestId by)
{
    if (auto older = open_.find(slot); older != open_.end()) {
        older->second.waiting = false;
        older->second.cancelled = true;
    }
    slot = by;
    open_[by].waiting = true;
}

RowRequestCode RequestBook::codeOf(int row) const
{
    return IsGridRow(row) ? rows_[row].code : RowRequestCode::None;
}

bool RequestBook::anyRowPending() const
{
    return std::any_of(rows_.begin(), rows_.end(),
                       [](const PendingRow& r) { return r.code != RowRequestCode::None; });
}

bool RequestBook::anyPending() const
{
    return anyRowPending() || readAll_ != 0 || writeAll_ != 0 || testCall_ != 0;
}

bool RequestBook::anyOpen(RequestKind kind) const
{
    return std::any_of(open_.begin(), open_.end(), [kind](const auto& entry) { return entry.second.kind == kind; });
}

std::optional<int16_t> RequestBook::writeValue(int row) const
{
    if (codeOf(row) != RowRequestCode::Write)
        return std::nullopt;
    return rows_[row].value;
}

int RequestBook::firstPending(int lastRow) const
{
    for (int r = 0; r <= lastRow && r < kGridRows; ++r) {
        if (rows_[r].code != RowRequestCode::None)
            return r;
    }
    return -1;
}

RequestId RequestBook::ownerOf(int row) const
{
    return IsGridRow(row) ? rows_[row].owner : 0;
}

bool RequestBook::expandBulk()
{
    const bool read = readAll_ != 0;
    RequestId& slot = read ? readAll_ : writeAll_;
    const RequestId id = slot;
    slot = 0;
    auto found = open_.find(id);
    if (found == open_.end())
        return false;
    Record& record = found->second;
    record.waiting = false;
    const QList<RowValue> rows = record.request.rows ? record.request.rows() : QList<RowValue>();
    for (const RowValue& row : rows) {
        if (IsGridRow(row.row))
            setRow(row.row, read ? RowRequestCode::Read : RowRequestCode::Write, row.value, id);
    }
    return true;
}

RequestId RequestBook::takeTestCall()
{
    const RequestId id = testCall_;
    testCall_ = 0;
    return id;
}

CallFields RequestBook::callFields(RequestId id) const
{
    const auto found = open_.find(id);
    if (found == open_.end() || !found->second.request.call)
        return {};
    return found->second.request.call();
}

void RequestBook::note(RequestId id, const ExchangeReport& report)
{
    if (auto found = open_.find(id); found != open_.end())
        found->second.reports.append(report);
}

void RequestBook::served(int row, const ExchangeReport& report, RequestId noted)
{
    if (!IsGridRow(row) || rows_[row].code == RowRequestCode::None)
        return;
    if (rows_[row].owner != noted)
        note(rows_[row].owner, report);
    releaseRow(row, false, false);
}

void RequestBook::failRow(int row)
{
    releaseRow(row, true, false);
}

void RequestBook::callEnded(RequestId id, bool taken)
{
    if (auto found = open_.find(id); found != open_.end()) {
        found->second.waiting = false;
        found->second.failed = found->second.failed || !taken;
    }
}

void RequestBook::dropRows(OutcomeStatus why)
{
    for (int r = 0; r < kGridRows; ++r)
        releaseRow(r, why == OutcomeStatus::Failed, why == OutcomeStatus::Cancelled);
}

void RequestBook::dropAll()
{
    dropRows(OutcomeStatus::Cancelled);
    for (RequestId* slot : {&readAll_, &writeAll_, &testCall_}) {
        if (auto found = open_.find(*slot); found != open_.end()) {
            found->second.waiting = false;
            found->second.cancelled = true;
        }
        *slot = 0;
    }
    // A call under way is given up with the exchange.
    for (auto& [id, record] : open_) {
        if (record.kind == RequestKind::TestCall && record.waiting) {
            record.waiting = false;
            record.cancelled = true;
        }
    }
}

void RequestBook::settle(RequestId onWire)
{
    for (auto it = open_.begin(); it != open_.end();) {
        const Record& record = it->second;
        if (record.rowsLeft > 0 || record.waiting || it->first == onWire) {
            ++it;
            continue;
        }
        const OutcomeStatus status = record.cancelled ? OutcomeStatus::Cancelled
            : record.failed                         ? OutcomeStatus::Failed
                                                    : OutcomeStatus::Done;
        const RequestOutcome outcome{it->first, record.kind, status, record.reports};
        it = open_.erase(it);
        if (onOutcome)
            onOutcome(outcome);
    }
}

void RequestBook::setRow(int row, RowRequestCode code, int16_t value, RequestId owner)
{
    releaseRow(row, false, true);
    rows_[row] = {code, value, owner};
    if (auto found = open_.find(owner); found != open_.end())
        ++found->second.rowsLeft;
}

void RequestBook::releaseRow(int row, bool failed, bool cancelled)
{
    PendingRow& pending = rows_[row];
    if (pending.code == RowRequestCode::None)
        return;
    if (auto found = open_.find(pending.owner); found != open_.end()) {
        Record& record = found->second;
        --record.rowsLeft;
        record.failed = record.failed || failed;
        record.cancelled = record.cancelled || cancelled;
    }
    pending = {};
}

} // namespace pb
