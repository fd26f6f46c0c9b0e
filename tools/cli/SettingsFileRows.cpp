#include "SettingsFileRows.h"

#include "CliRequest.h"

#include "files/LabelledLines.h"
#include "files/TextFile.h"
#include "settings/GridTransfer.h"

#include <QFile>
#include <cstdio>

namespace pb::cli {

namespace {

std::optional<QStringList> InputLines(const QString& name)
{
    if (name != kStandardStream)
        return ReadTextLines(name);
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return std::nullopt;
    return ReadTextLines(input);
}

} // namespace

FileRows RowsOfLines(const QStringList& lines)
{
    LabelledSlots fields; // null where no line names the row
    ReadLabelledLines(lines, fields);
    FileRows rows;
    for (int r = 0; r < kFileRows; ++r) {
        if (!fields[r].isNull())
            rows[r] = LeadingNumber(fields[r]).value_or(0);
    }
    return rows;
}

QList<int16_t> MissingRows(const FileRows& rows, const CoreParts& parts)
{
    QList<int16_t> missing;
    for (int16_t r : ShownRowNumbers(parts)) {
        if (!rows[r])
            missing.append(r);
    }
    return missing;
}

std::optional<FileRows> ReadSettingsFile(const QString& name, const CoreParts& parts, const CliOutput& output)
{
    const QString shownName = name == kStandardStream ? QStringLiteral("standard input") : name;
    const std::optional<QStringList> lines = InputLines(name);
    if (!lines) {
        output.error(QStringLiteral("pagerbench-cli: cannot read ") + shownName);
        return std::nullopt;
    }
    const FileRows rows = RowsOfLines(*lines);
    const QList<int16_t> missing = MissingRows(rows, parts);
    if (missing.isEmpty())
        return rows;
    const bool none = missing.size() == ShownRowNumbers(parts).size();
    output.error(QStringLiteral("pagerbench-cli: %1 is no settings file of unit type %2: it has no line for %3")
                     .arg(shownName)
                     .arg(parts.unitType)
                     .arg(none ? QStringLiteral("any row the type shows") : RowNumbers(missing)));
    return std::nullopt;
}

RowArray ValuesOf(const FileRows& rows)
{
    RowArray values{};
    for (int r = 0; r < kFileRows; ++r)
        values[r] = rows[r].value_or(0);
    return values;
}

void LoadFileRows(const FileRows& rows, CoreParts& parts)
{
    parts.rows.FileSettings = ValuesOf(rows);
    ResetSettingsInUnit(parts.rows);
    FileToSettings(parts.rows);
    SettingsToGrid(parts.grid, parts.rows);
}

QString RowNumbers(const QList<int16_t>& rows)
{
    QStringList numbers;
    for (int16_t row : rows)
        numbers.append(QString::number(row));
    if (numbers.size() < 2)
        return QStringLiteral("row ") + numbers.join(QString());
    const QString last = numbers.takeLast();
    return QStringLiteral("rows ") + numbers.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

} // namespace pb::cli
