#pragma once
// The words of the exchanges with the unit: the progress text and the log
// line of each report, and the line that starts a read or a write. The
// only place that words them.
#include "link/ExchangeReport.h"
#include "settings/RowsShown.h"
#include "texts/TextTable.h"

#include <QString>

namespace pb {

struct ReportWording {
    QString progress; // for the progress text; empty when it shows nothing
    QString log;      // the log line; empty when none is written
};

// `grid` as it is once the exchange's value went in.
ReportWording WordReport(const ExchangeReport& report, const RowsShown& grid, const TextTable& texts);

// "Reading of" and the row's text; "Writing of", the row's text and what is
// written.
QString ExchangeStartText(Exchange exchange, int16_t row, int16_t value, const RowsShown& grid,
                          const TextTable& texts);

// The progress text's line when pending rows are dropped: by the user
// (CmdCancelReadWrite), or by the engine at the failure limit or when
// everything waiting is dropped, which has always said it in English.
QString CancelledText(const TextTable& texts);
QString DroppedText();

} // namespace pb
