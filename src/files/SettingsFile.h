#pragma once
// Settings files: the default settings beside the program and the user's own
// files. 50 lines "<row>    -><value>", CR LF, Windows-1252.
#include "files/ProgramFolder.h"
#include "files/TextFile.h"
#include "settings/GridModel.h"
#include "settings/RowValues.h"

#include <QStringList>

namespace pb {

// The 50 lines for FileSettings rows 0..49. A negative value keeps its minus
// sign, so a row without a selection (-1) reads back as none.
QStringList SettingsFileLines(const RowValues& values);

// Those lines as the file holds them: Windows-1252, each ended by CR LF.
QByteArray SettingsFileBytes(const RowValues& values);

// The SHA-256 of those bytes in lower-case hexadecimal, as sha256sum
// prints it: a report names the file it stands for by it.
QString SettingsFileFingerprint(const RowValues& values);

// Reads rows 0..49 into FileSettings (missing rows and numbers beyond 16 bits
// count as 0), forgets what the unit confirmed and shows the values.
// An empty path does nothing.
void ReadSettingsFile(GridModel& grid, RowValues& values, const QString& path);

// Takes the grid into memory and writes it; rows 26..49 go out as they came
// in. A failed write leaves the old file whole and says why. An empty path
// does nothing.
WriteOutcome WriteSettingsFile(const GridModel& grid, RowValues& values, const QString& path);

// The default settings file of the program's folder.
void ReadDefaultSettings(const ProgramFolder& folder, GridModel& grid, RowValues& values);
WriteOutcome WriteDefaultSettings(const ProgramFolder& folder, const GridModel& grid, RowValues& values);

} // namespace pb
