#pragma once
// The commands that talk to a unit: read, write, call and monitor, and
// what the report shares with them.
#include "CliOutput.h"
#include "CliRequest.h"
#include "Interruption.h"
#include "SettingsFileRows.h"
#include "UnitSession.h"

#include <functional>
#include <optional>

namespace pb::cli {

struct UnitCommand {
    const CliRequest& request;
    CoreParts& parts;
    const CliOutput& output;
    const Interruption& interruption;
};

// "Com<n>" is the program's port n, resolved as the program resolves it
// (an adapter the automatic numbering chose is reopened only as itself);
// anything else names the device itself.
DeviceIdentity DeviceOf(const QString& port, const ProgramFolder& folder);

// Opens the port and runs `work` on it. A signal meanwhile ends the command
// as interrupted, whatever the work made of it.
int OnUnit(const UnitCommand& command, const std::function<int(UnitSession&)>& work);

// Reads every shown row and makes the rows what read --out saves: a value no
// option names becomes -1, and is named on standard error. Gives those rows;
// nothing when a row was not read (named, with `otherwise`) or on Ctrl-C.
std::optional<QList<int16_t>> ReadForSaving(UnitSession& session, const UnitCommand& command, const char* otherwise);

// What "Save to file" writes of the rows' FileSettings, to the file (at
// once, never half of it) or to standard output for "" or "-". False, with
// the reason on standard error, when it could not be written.
bool SaveSettingsFile(const QString& path, const UnitCommand& command);

int Read(const UnitCommand& command);
// Sends the file's rows; `file` holds a line for every shown row. With
// --backup, reads and saves the unit first.
int Write(const UnitCommand& command, const FileRows& file);
int Call(const UnitCommand& command);
int Monitor(const UnitCommand& command);

} // namespace pb::cli
