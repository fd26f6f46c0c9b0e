#include "RowReport.h"

#include "settings/ValueCoding.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace pb::cli {

QList<ReportRow> ShownRows(const CoreParts& parts)
{
    QList<ReportRow> rows;
    const int16_t last = std::min<int16_t>(HighestRow(parts.unitType), kGridRows - 1);
    for (int16_t r = 0; r <= last; ++r) {
        if (parts.grid.shown(r))
            rows.append({r, RowToItem(parts.unitType, r), parts.rows.UnitSettings[r], parts.grid.text(r)});
    }
    return rows;
}

QString RowLine(const ReportRow& row)
{
    return QStringLiteral("%1\t%2\t%3").arg(row.row).arg(row.text).arg(row.value);
}

QByteArray RowsJson(int16_t unitType, const QList<ReportRow>& rows)
{
    QJsonArray list;
    for (const ReportRow& row : rows) {
        list.append(QJsonObject{{QStringLiteral("row"), row.row},
                                {QStringLiteral("item"), row.item},
                                {QStringLiteral("value"), row.value},
                                {QStringLiteral("text"), row.text}});
    }
    const QJsonObject document{{QStringLiteral("type"), unitType}, {QStringLiteral("rows"), list}};
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

QStringList DiffLines(const QList<ReportRow>& first, const QList<ReportRow>& second)
{
    QStringList lines;
    for (qsizetype i = 0; i < first.size() && i < second.size(); ++i) {
        if (first[i].value == second[i].value)
            continue;
        lines << QStringLiteral("- ") + RowLine(first[i]) << QStringLiteral("+ ") + RowLine(second[i]);
    }
    return lines;
}

} // namespace pb::cli
