#pragma once
// The requests the engine has taken and not yet ended: a read or a write per
// row of the grid, a read all and a write all not yet taken up, the test
// call, and for each request what became of it so far. Rows are served
// lowest first whoever asked; a new request for a row replaces the one
// before it, which ends cancelled.
#include "link/UnitRequest.h"
#include "settings/RowValues.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>

namespace pb {

enum class RowRequestCode : int16_t { None = 0, Read = 1, Write = 10 };

class RequestBook {
public:
    // Rows, read all, write all and the test call; a row outside the grid
    // ends failed at the next settle.
    RequestId add(UnitRequest request);

    RowRequestCode codeOf(int row) const;
    bool rowPending(int row) const { return codeOf(row) != RowRequestCode::None; }
    bool anyRowPending() const;
    // Any row, read all, write all or the test call.
    bool anyPending() const;
    // Any request not yet ended.
    bool anyOpen() const { return !open_.empty(); }
    bool anyOpen(RequestKind kind) const;
    // The value a pending write of the row sends.
    std::optional<int16_t> writeValue(int row) const;
    // The first row up to lastRow with a request, or -1.
    int firstPending(int lastRow) const;
    // Who asked for the row; 0 for nobody.
    RequestId ownerOf(int row) const;

    // A read all or write all not yet taken up, read all first: its rows
    // become row requests of its own, from the values asked for now.
    bool expandBulk();
    // The test call not yet taken up; its id, or 0 for none.
    RequestId takeTestCall();
    // The fields of the call being made.
    CallFields callFields(RequestId id) const;

    // A report of an exchange made for `id`.
    void note(RequestId id, const ExchangeReport& report);
    // The row's request is served; its owner is told the report unless it
    // is `noted`, which heard it already.
    void served(int row, const ExchangeReport& report, RequestId noted);
    // The row's request is given up as failed: nothing can be sent for it.
    void failRow(int row);
    // The test call `id` ended, taken or not.
    void callEnded(RequestId id, bool taken);

    // Drops the rows' requests: cancelled by the user, or failed at the
    // failure limit. Read all, write all and the test call stay.
    void dropRows(OutcomeStatus why);
    // Drops every request, cancelled.
    void dropAll();

    // Ends every request with nothing left pending and nothing on the wire
    // for it: onOutcome hears each once, oldest first.
    void settle(RequestId onWire);
    std::function<void(const RequestOutcome& outcome)> onOutcome;

private:
    struct Record {
        RequestKind kind;
        int rowsLeft = 0;
        bool waiting = false; // a bulk or a call not yet taken up or ended
        bool failed = false;
        bool cancelled = false;
        UnitRequest request;
        QList<ExchangeReport> reports;
    };
    struct PendingRow {
        RowRequestCode code = RowRequestCode::None;
        int16_t value = -1;
        RequestId owner = 0;
    };

    void setRow(int row, RowRequestCode code, int16_t value, RequestId owner);
    void releaseRow(int row, bool failed, bool cancelled);
    // A queued bulk or call is replaced by a newer one of its kind.
    void replaceQueued(RequestId& slot, RequestId by);

    std::array<PendingRow, kGridRows> rows_{};
    std::map<RequestId, Record> open_;
    RequestId readAll_ = 0;
    RequestId writeAll_ = 0;
    RequestId testCall_ = 0;
    RequestId lastId_ = 0;
};

} // namespace pb
