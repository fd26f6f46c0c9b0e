#pragma once
// The program configuration file: six labelled lines beside the program.
#include "files/ProgramConfig.h"
#include "files/TextFile.h"

#include <QStringList>

namespace pb {

// Reads the file into the configuration. Missing keys, an unreadable file and
// numbers beyond 16 bits leave the defaults (unit type 1, all others 0/empty).
void ReadConfig(ProgramConfig& config, const QString& path);

// The six lines the writer puts in the file, in key order.
QStringList ConfigLines(const ProgramConfig& config);

// Replaces the file's content with the six lines; a failed write leaves the
// old file whole and says why.
WriteOutcome WriteConfig(const ProgramConfig& config, const QString& path);

} // namespace pb
