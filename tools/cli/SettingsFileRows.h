#pragma once
// What a settings file holds, row by row, read as the program reads it but
// keeping apart the rows it has no line for, which the program takes as 0.
#include "CliOutput.h"
#include "UnitSession.h"

#include "settings/RowValues.h"

#include <QList>
#include <QStringList>
#include <array>
#include <optional>

namespace pb::cli {

using FileRows = std::array<std::optional<int16_t>, kFileRows>;

FileRows RowsOfLines(const QStringList& lines);

// The rows the unit type shows that the file has no line for. All of them
// for an empty file, or one that is no settings file at all.
QList<int16_t> MissingRows(const FileRows& rows, const CoreParts& parts);

// The file's rows, once it is read and holds a line for every row the unit
// type shows; otherwise the error says which rows are missing. "-" is
// standard input.
std::optional<FileRows> ReadSettingsFile(const QString& name, const CoreParts& parts, const CliOutput& output);

// The values as the program holds them: a row without a line is 0.
RowArray ValuesOf(const FileRows& rows);

// The rows into memory and the grid, as "Read from file" takes them.
void LoadFileRows(const FileRows& rows, CoreParts& parts);

// "row 13", "rows 13, 14 and 25"
QString RowNumbers(const QList<int16_t>& rows);

} // namespace pb::cli
