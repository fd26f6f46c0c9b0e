#pragma once
// pagerbench-cli's commands over the program's core.
#include "CliOutput.h"
#include "Interruption.h"

#include <QStringList>

namespace pb::cli {

// Runs the command the arguments (after the program name) give; returns the
// exit status.
int RunCli(const QStringList& arguments, const CliOutput& output, const Interruption& interruption);

} // namespace pb::cli
