#include "files/SettingsFile.h"

#include "files/LabelledLines.h"
#include "files/TextFile.h"
#include "settings/GridTransfer.h"

#include <QCryptographicHash>

namespace pb {

namespace {
const QString kSeparator = QStringLiteral("    ->");
}

QStringList SettingsFileLines(const RowValues& values)
{
    QStringList lines;
    for (int r = 0; r < kFileRows; ++r)
        lines.append(QString::number(r) + kSeparator + QString::number(values.FileSettings[r]));
    return lines;
}

QByteArray SettingsFileBytes(const RowValues& values)
{
    return JoinCrLf(SettingsFileLines(values));
}

QString SettingsFileFingerprint(const RowValues& values)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(SettingsFileBytes(values), QCryptographicHash::Sha256).toHex());
}

void ReadSettingsFile(GridModel& grid, RowValues& values, const QString& path)
{
    if (path.isEmpty())
        return;
    LabelledSlots fields;
    ReadLabelledFile(path, fields);
    for (int r = 0; r < kFileRows; ++r)
        values.FileSettings[r] = LeadingNumber(fields[r]).value_or(0);
    ResetSettingsInUnit(values);
    FileToSettings(values);
    SettingsToGrid(grid, values);
}

WriteOutcome WriteSettingsFile(const GridModel& grid, RowValues& values, const QString& path)
{
    if (path.isEmpty())
        return {};
    GridToSettings(grid, values);
    SettingsToFile(values);
    return WriteFileAtomically(path, SettingsFileBytes(values));
}

void ReadDefaultSettings(const ProgramFolder& folder, GridModel& grid, RowValues& values)
{
    ReadSettingsFile(grid, values, folder.defaultSettingsFileToRead());
}

WriteOutcome WriteDefaultSettings(const ProgramFolder& folder, const GridModel& grid, RowValues& values)
{
    return WriteSettingsFile(grid, values, folder.defaultSettingsFile());
}

} // namespace pb
