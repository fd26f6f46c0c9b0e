#include "SettingsFileRows.h"

#include "CliRequest.h"
#include "StandardStreams.h"

#include "files/LabelledLines.h"
#include "files/TextFile.h"
#include "settings/GridTransfer.h"

#include <QRegularExpression>

namespace pb::cli {

namespace {

std::optional<QStringList> InputLines(const QString& name, const Interruption& interruption)
{
    if (name != kStandardStream)
        return ReadTextLines(name);
    const std::optional<QByteArray> bytes = ReadStandardInput(interruption, kMaxTextFileBytes);
    if (!bytes)
        return std::nullopt;
    return TextLines(*bytes);
}

// A digit where LeadingNumber looks for one: "->x", "->" and "-> " hold
// none, and LeadingNumber would take them as 0.
bool StartsWithDigits(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^[ \\t]*[-+]?\\.?[0-9]"));
    return digits.match(text).hasMatch();
}

QList<int16_t> ShownRowsWhere(const FileRows& rows, const CoreParts& parts, bool (*wanted)(const FileRow&))
{
    QList<int16_t> found;
    for (int16_t r : ShownRowNumbers(parts)) {
        if (wanted(rows[r]))
            found.append(r);
    }
    return found;
}

} // namespace

FileRows RowsOfLines(const QStringList& lines)
{
    LabelledSlots fields; // null where no line names the row
    ReadLabelledLines(lines, fields);
    FileRows rows;
    for (int r = 0; r < kFileRows; ++r) {
        if (fields[r].isNull())
            continue;
        const std::optional<int16_t> number = LeadingNumber(fields[r]);
        rows[r].named = true;
        rows[r].numbered = number && StartsWithDigits(fields[r]);
        rows[r].value = rows[r].numbered ? *number : int16_t(0);
    }
    return rows;
}

QList<int16_t> MissingRows(const FileRows& rows, const CoreParts& parts)
{
    return ShownRowsWhere(rows, parts, [](const FileRow& row) { return !row.named; });
}

QList<int16_t> RowsWithoutNumber(const FileRows& rows, const CoreParts& parts)
{
    return ShownRowsWhere(rows, parts, [](const FileRow& row) { return row.named && !row.numbered; });
}

std::optional<FileRows> ReadFileRows(const QString& name, const CoreParts& parts, const CliOutput& output,
                                         const Interruption& interruption)
{
    const QString shownName = name == kStandardStream ? QStringLiteral("standard input") : name;
    const std::optional<QStringList> lines = InputLines(name, interruption);
    if (!lines) {
        if (!interruption.happened())
            output.error(QStringLiteral("pagerbench-cli: cannot read ") + shownName);
        return std::nullopt;
    }
    const FileRows rows = RowsOfLines(*lines);
    const QList<int16_t> missing = MissingRows(rows, parts);
    const QList<int16_t> unnumbered = RowsWithoutNumber(rows, parts);
    if (missing.isEmpty() && unnumbered.isEmpty())
        return rows;
    QStringList faults;
    if (missing.size() == ShownRowNumbers(parts).size())
        faults.append(QStringLiteral("it has no line for any row the type shows"));
    else if (!missing.isEmpty())
        faults.append(QStringLiteral("it has no line for ") + RowNumbers(missing));
    if (!unnumbered.isEmpty())
        faults.append(RowNumbers(unnumbered) + QLatin1String(unnumbered.size() == 1 ? " holds" : " hold")
                      + QStringLiteral(" no number"));
    output.error(QStringLiteral("pagerbench-cli: %1 is no settings file of unit type %2: %3")
                     .arg(shownName)
                     .arg(parts.unitType)
                     .arg(faults.join(QStringLiteral("; "))));
    return std::nullopt;
}

RowArray ValuesOf(const FileRows& rows)
{
    RowArray values{};
    for (int r = 0; r < kFileRows; ++r)
        values[r] = rows[r].value;
    return values;
}

void LoadFileRows(const FileRows& rows, CoreParts& parts)
{
    parts.rows.FileSettings = ValuesOf(rows);
    ResetSettingsInUnit(parts.rows);
    FileToSettings(parts.rows);
    for (int16_t row = 0; row < kGridRows; ++row)
        ShowValue(parts, row);
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
