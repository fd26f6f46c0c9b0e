#pragma once
// The commands that talk to a unit: read, write, call and monitor.
#include "CliOutput.h"
#include "CliRequest.h"
#include "Interruption.h"
#include "SettingsFileRows.h"
#include "UnitSession.h"

namespace pb::cli {

struct UnitCommand {
    const CliRequest& request;
    CoreParts& parts;
    const CliOutput& output;
    const Interruption& interruption;
};

int Read(const UnitCommand& command);
// Sends the file's rows; `file` holds a line for every shown row.
int Write(const UnitCommand& command, const FileRows& file);
int Call(const UnitCommand& command);
int Monitor(const UnitCommand& command);

} // namespace pb::cli
