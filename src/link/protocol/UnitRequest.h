#pragma once
// What a caller asks of the unit, and how the engine says it ended. A
// request goes in; once nothing of it is pending or on the wire, exactly
// one outcome comes out: done, failed with the reports that say why, or
// cancelled.
#include "link/protocol/ExchangeReport.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>

namespace pb {

using RequestId = quint64;

enum class RequestKind { ReadRow, WriteRow, ReadAll, WriteAll, TestCall };

struct RowValue {
    int16_t row = -1;
    int16_t value = -1; // the grid position to write; unused for a read
};

// The fields of a test call, taken when its frame goes out.
struct CallFields {
    QString address;
    QString message;
    int16_t bleepCode = -1; // list position, -1 for none
};

struct UnitRequest {
    RequestKind kind = RequestKind::ReadRow;
    RowValue row; // ReadRow, WriteRow
    // ReadAll, WriteAll: the rows and the values, asked for on the tick the
    // engine takes the request up (after every single row before it).
    std::function<QList<RowValue>()> rows;
    // TestCall: asked for when the call frame goes out.
    std::function<CallFields()> call;

    static UnitRequest ReadRow(int16_t row) { return {RequestKind::ReadRow, {row, -1}, {}, {}}; }
    static UnitRequest WriteRow(int16_t row, int16_t value) { return {RequestKind::WriteRow, {row, value}, {}, {}}; }
    static UnitRequest ReadAll(std::function<QList<RowValue>()> rows)
    {
        return {RequestKind::ReadAll, {}, std::move(rows), {}};
    }
    static UnitRequest WriteAll(std::function<QList<RowValue>()> rows)
    {
        return {RequestKind::WriteAll, {}, std::move(rows), {}};
    }
    static UnitRequest TestCall(std::function<CallFields()> call)
    {
        return {RequestKind::TestCall, {}, {}, std::move(call)};
    }
};

enum class OutcomeStatus { Done, Failed, Cancelled };

struct RequestOutcome {
    RequestId id = 0;
    RequestKind kind = RequestKind::ReadRow;
    OutcomeStatus status = OutcomeStatus::Done;
    // Every exchange made for the request, in order: a failed request's last
    // reports say why.
    QList<ExchangeReport> reports;
};

// What the engine serves on a tick, chosen by its user on every tick and
// read whenever the engine is ready for new work.
enum class ServingMode {
    Hold,        // nothing; received bytes wait in the port
    Monitor,     // the unit's own text goes to the log
    Rows,        // single rows, retried until served or cancelled
    RowsAndBulk, // rows, read all and write all, with the failure limit
    Call,        // the test call
};

} // namespace pb
