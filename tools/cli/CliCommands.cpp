#include "CliCommands.h"

#include "CheckCommand.h"
#include "CliRequest.h"
#include "PortsCommand.h"
#include "ReportCommand.h"
#include "RowReport.h"
#include "SettingsFileRows.h"
#include "UnitCommands.h"

#include "files/ConfigFile.h"
#include "files/ProgramFolder.h"
#include "settings/UnitCatalogue.h"
#include "settings/UnitTypes.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstring>

namespace pb::cli {

namespace {

bool UsesUnitType(Command command)
{
    return command == Command::Read || command == Command::Write || command == Command::Show
        || command == Command::Diff || command == Command::Check || command == Command::Report;
}

// The unit type and the language as asked, else as the program's
// configuration file beside the tool (or in the per-user folder) says.
bool SetUp(const CliRequest& request, CoreParts& parts, const CliOutput& output)
{
    parts.folder = ProgramFolder::locate(QCoreApplication::applicationDirPath());
    const QString configFile = parts.folder.configFileToRead();
    const bool configured = QFileInfo::exists(configFile);
    ProgramConfig config;
    if (configured)
        ReadConfig(config, configFile);

    if (request.unitType) {
        parts.unitType = *request.unitType;
    } else if (configured && FindUnitType(config.unitType) != nullptr) {
        parts.unitType = config.unitType;
    } else if (UsesUnitType(request.command)) {
        output.error(QStringLiteral("pagerbench-cli: --type is needed, no configuration file gives it"));
        return false;
    }
    int16_t language = request.language.value_or(configured ? config.language : int16_t(0));
    LoadTexts(parts.texts, language);
    parts.language = language;
    parts.layout = GridRows(parts.unitType, parts.texts);
    return true;
}

int Show(const CliRequest& request, const CoreParts& parts, const FileRows& file, const CliOutput& output)
{
    const QList<ReportRow> rows = ShownRows(parts, ValuesOf(file));
    if (request.json) {
        output.result(RowsJson(parts.unitType, rows));
        return ExitDone;
    }
    for (const ReportRow& row : rows)
        output.resultLine(RowLine(row));
    return ExitDone;
}

// Every row of the files counts, shown or not: files that differ never
// compare equal.
int Diff(const CoreParts& parts, const QList<FileRows>& files, const CliOutput& output)
{
    const QStringList lines = DiffLines(FileRowsReport(parts, ValuesOf(files.at(0))),
                                        FileRowsReport(parts, ValuesOf(files.at(1))));
    for (const QString& line : lines)
        output.resultLine(line);
    return lines.isEmpty() ? ExitDone : ExitUnitFailed;
}

int RunCommand(const CliRequest& request, CoreParts& parts, const CliOutput& output, const Interruption& interruption)
{
    QList<FileRows> files;
    for (const QString& name : request.files) {
        const std::optional<FileRows> file = ReadFileRows(name, parts, output, interruption);
        if (!file)
            return ExitBadUsage;
        files.append(*file);
    }
    const UnitCommand command{request, parts, output, interruption};
    switch (request.command) {
    case Command::Read: return Read(command);
    case Command::Write: return Write(command, files.at(0));
    case Command::Call: return Call(command);
    case Command::Show: return Show(request, parts, files.at(0), output);
    case Command::Diff: return Diff(parts, files, output);
    case Command::Monitor: return Monitor(command);
    case Command::Ports: return ListPorts(parts.folder, request.json, output);
    case Command::Check: return Check(command);
    case Command::Report: return Report(command);
    case Command::Help:
    case Command::Version: break;
    }
    return ExitBadUsage;
}

} // namespace

int RunCli(const QStringList& arguments, const CliOutput& output, const Interruption& interruption)
{
    QString problem;
    const std::optional<CliRequest> request = ParseArguments(arguments, problem);
    if (!request) {
        output.error(QStringLiteral("pagerbench-cli: ") + problem);
        output.error(UsageText());
        return ExitBadUsage;
    }
    if (request->command == Command::Help || request->command == Command::Version) {
        output.result(request->command == Command::Help
                          ? UsageText().toLocal8Bit()
                          : "pagerbench-cli " + QCoreApplication::applicationVersion().toLocal8Bit() + '\n');
        return output.failed() ? ExitBadUsage : ExitDone;
    }

    CoreParts parts;
    const int status = SetUp(*request, parts, output) ? RunCommand(*request, parts, output, interruption)
                                                      : ExitBadUsage;
    // Whatever the command did meanwhile, a signal ends it as interrupted.
    if (status == ExitInterrupted || interruption.happened()) {
        output.error(QStringLiteral("pagerbench-cli: interrupted"));
        return ExitInterrupted;
    }
    if (output.failed()) {
        output.error(QStringLiteral("pagerbench-cli: cannot write standard output: ")
                     + QString::fromLocal8Bit(std::strerror(output.resultError)));
        return ExitBadUsage;
    }
    return status;
}

} // namespace pb::cli
