#include "RowReport.h"

#include "settings/ValueCoding.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace pb::cli {

namespace {

ReportRow RowOf(const CoreParts& parts, int16_t row, int16_t value)
{
    const bool shown = row < kGridRows && parts.rowShown(row);
    const QStringList& options = shown ? parts.layout[row].options : QStringList();
    return {row, RowToItem(parts.unitType, row), value, options.value(value), std::nullopt};
}

} // namespace

QList<ReportRow> ShownRows(const CoreParts& parts, const RowArray& values)
{
    QList<ReportRow> rows;
    for (int16_t r : ShownRowNumbers(parts))
        rows.append(RowOf(parts, r, values[r]));
    return rows;
}

QList<ReportRow> FileRowsReport(const CoreParts& parts, const RowArray& values)
{
    QList<ReportRow> rows;
    for (int16_t r = 0; r < kFileRows; ++r)
        rows.append(RowOf(parts, r, values[r]));
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
        QJsonObject entry{{QStringLiteral("row"), row.row},
                          {QStringLiteral("item"), row.item},
                          {QStringLiteral("value"), row.value},
                          {QStringLiteral("text"), row.text}};
        if (row.unitValue)
            entry.insert(QStringLiteral("unitValue"), *row.unitValue);
        list.append(entry);
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
