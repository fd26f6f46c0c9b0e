#include "files/SettingsFile.h"

#include "files/LabelledLines.h"
#include "files/TextFile.h"
#include "settings/GridTransfer.h"

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

void LeesSetFile(GridModel& grid, RowValues& values, const QString& path)
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

WriteOutcome SchrijfSetFile(const GridModel& grid, RowValues& values, const QString& path)
{
    if (path.isEmpty())
        return {};
    GridToSettings(grid, values);
    SettingsToFile(values);
    return WriteTextFileAtomically(path, SettingsFileLines(values));
}

void LeesDefault(const ProgramFolder& folder, GridModel& grid, RowValues& values)
{
    LeesSetFile(grid, values, folder.defaultSettingsFileToRead());
}

WriteOutcome SchrijfDefault(const ProgramFolder& folder, const GridModel& grid, RowValues& values)
{
    return SchrijfSetFile(grid, values, folder.defaultSettingsFile());
}

} // namespace pb
