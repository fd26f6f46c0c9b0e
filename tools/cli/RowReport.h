#pragma once
// The rows of a settings grid as text: what show, diff and --json print.
#include "UnitSession.h"

#include <QByteArray>
#include <QStringList>

namespace pb::cli {

struct ReportRow {
    int row;
    int item;   // the unit's item number for the row
    int value;  // list position, -1 for none
    QString text;
};

// The rows the unit type shows, with what the grid shows for their values.
QList<ReportRow> ShownRows(const CoreParts& parts);

// "<row>\t<text>\t<value>"
QString RowLine(const ReportRow& row);

// {"type": N, "rows": [{"row", "item", "value", "text"}, ...]}
QByteArray RowsJson(int16_t unitType, const QList<ReportRow>& rows);

// The rows whose values differ, as "- " + the first side's line and "+ " +
// the second's; both lists come from ShownRows for the same unit type.
QStringList DiffLines(const QList<ReportRow>& first, const QList<ReportRow>& second);

} // namespace pb::cli
