#pragma once
// The rows of a settings grid as text: what show, diff and --json print.
#include "UnitSession.h"

#include <QByteArray>
#include <QStringList>
#include <optional>

namespace pb::cli {

struct ReportRow {
    int row;
    int item;   // the unit's item number for the row
    int value;  // list position, -1 for none
    QString text; // the option at that position; empty when no option is there
    std::optional<int> unitValue; // read: the byte the unit sent, when no option names it
};

// The rows the unit type shows, each with its value in `values` as it is,
// even where the grid would show another.
QList<ReportRow> ShownRows(const CoreParts& parts, const RowArray& values);

// Every row of a settings file: the shown ones as above, the others
// without text.
QList<ReportRow> FileRowsReport(const CoreParts& parts, const RowArray& values);

// "<row>\t<text>\t<value>"
QString RowLine(const ReportRow& row);

// {"type": N, "rows": [{"row", "item", "value", "text"[, "unitValue"]}, ...]}
QByteArray RowsJson(int16_t unitType, const QList<ReportRow>& rows);

// The rows whose values differ, as "- " + the first side's line and "+ " +
// the second's; both lists come from the same function for the same unit type.
QStringList DiffLines(const QList<ReportRow>& first, const QList<ReportRow>& second);

} // namespace pb::cli
