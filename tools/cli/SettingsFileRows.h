#pragma once
// What a settings file holds, row by row, read as the program reads it but
// keeping apart the rows it has no line for and the rows whose line holds no
// number (a line edited by hand, a file cut short), which the program takes
// as 0.
#include "CliOutput.h"
#include "UnitSession.h"

#include "settings/RowValues.h"

#include <QList>
#include <QStringList>
#include <array>
#include <optional>

namespace pb::cli {

struct FileRow {
    bool named = false;    // a line names the row
    bool numbered = false; // and its value starts with a number that fits
    int16_t value = 0;     // as the program takes it: 0 without a number

    bool readable() const { return named && numbered; }
};
using FileRows = std::array<FileRow, kFileRows>;

FileRows RowsOfLines(const QStringList& lines);

// The rows the unit type shows that the file has no line for. All of them
// for an empty file, or one that is no settings file at all.
QList<int16_t> MissingRows(const FileRows& rows, const CoreParts& parts);

// The rows the unit type shows whose line holds no number.
QList<int16_t> RowsWithoutNumber(const FileRows& rows, const CoreParts& parts);

// The file's rows, once it is read and holds a number on a line for every
// row the unit type shows; otherwise the error says which rows are missing
// or hold no number. "-" is standard input.
// Ctrl-C while standard input is awaited gives nothing, and no error.
std::optional<FileRows> ReadFileRows(const QString& name, const CoreParts& parts, const CliOutput& output,
                                         const Interruption& interruption);

// The values as the program holds them: a row without a line or number is 0.
RowArray ValuesOf(const FileRows& rows);

// The rows into memory, as "Read from file" takes them.
void LoadFileRows(const FileRows& rows, CoreParts& parts);

// "row 13", "rows 13, 14 and 25"
QString RowNumbers(const QList<int16_t>& rows);

} // namespace pb::cli
