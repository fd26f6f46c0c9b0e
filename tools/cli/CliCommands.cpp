#include "CliCommands.h"

#include "CliRequest.h"
#include "RowReport.h"
#include "UnitSession.h"

#include "files/ConfigFile.h"
#include "files/ProgramFolder.h"
#include "files/SettingsFile.h"
#include "link/PortMap.h"
#include "link/PresentPorts.h"
#include "settings/GridTransfer.h"
#include "settings/SetupUnitType.h"
#include "settings/UnitTypes.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

namespace pb::cli {

namespace {

constexpr int kMillisecondsPerSecond = 1000;

bool UsesUnitType(Command command)
{
    return command == Command::Read || command == Command::Write || command == Command::Show
        || command == Command::Diff;
}

bool Readable(const QString& path)
{
    return ReadTextLines(path).has_value();
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
        LeesConfig(config, configFile);

    if (request.unitType) {
        parts.unitType = *request.unitType;
    } else if (configured && FindUnitType(config.UnitType) != nullptr) {
        parts.unitType = config.UnitType;
    } else if (UsesUnitType(request.command)) {
        output.error(QStringLiteral("pagerbench-cli: --type is needed, no configuration file gives it"));
        return false;
    }
    int16_t language = request.language.value_or(configured ? config.Taal : int16_t(0));
    LaadTeksten(parts.texts, language);
    SetupUnitType(parts.grid, parts.texts, parts.unitType);
    return true;
}

bool FilesReadable(const CliRequest& request, const CliOutput& output)
{
    for (const QString& file : request.files) {
        if (!Readable(file)) {
            output.error(QStringLiteral("pagerbench-cli: cannot read ") + file);
            return false;
        }
    }
    return true;
}

// "Com<n>" is the program's port n, resolved as the program resolves it;
// anything else names the device itself.
QString DeviceOf(const QString& port, const ProgramFolder& folder)
{
    static const QRegularExpression comPort(QStringLiteral("^com([1-9][0-9]?)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch com = comPort.match(port);
    if (!com.hasMatch())
        return port;
    return ResolvePortDevice(com.captured(1).toInt(), folder, PresentPorts);
}

bool Open(UnitSession& session, const QString& port, const ProgramFolder& folder, const CliOutput& output)
{
    if (session.open(DeviceOf(port, folder)))
        return true;
    output.error(QStringLiteral("pagerbench-cli: cannot open the port ") + port);
    return false;
}

int Read(const CliRequest& request, CoreParts& parts, const CliOutput& output)
{
    UnitSession session(parts, output);
    if (!Open(session, request.port, parts.folder, output))
        return ExitPortFailed;
    if (!session.readAll()) {
        output.error(QStringLiteral("pagerbench-cli: not every row was read; no file written"));
        return ExitUnitFailed;
    }
    // What "Save to file" writes: the grid, then rows 26..49 as they came
    // in, which is 0 here, like the rows the unit type does not show.
    GridToSettings(parts.grid, parts.rows);
    SettingsToFile(parts.rows);
    const QStringList lines = SettingsFileLines(parts.rows);
    if (!request.out.isEmpty()) {
        const WriteOutcome written = WriteTextFileAtomically(request.out, lines);
        if (!written) {
            output.error(QStringLiteral("pagerbench-cli: cannot write %1: %2").arg(written.path, written.failure));
            return ExitBadUsage;
        }
    }
    if (request.json)
        output.result(RowsJson(parts.unitType, ShownRows(parts)));
    else if (request.out.isEmpty())
        output.result(JoinCrLf(lines));
    return ExitDone;
}

int Write(const CliRequest& request, CoreParts& parts, const CliOutput& output)
{
    LeesSetFile(parts.grid, parts.rows, request.files.first());
    UnitSession session(parts, output);
    if (!Open(session, request.port, parts.folder, output))
        return ExitPortFailed;
    if (session.writeAll())
        return ExitDone;
    output.error(QStringLiteral("pagerbench-cli: not every row was written"));
    return ExitUnitFailed;
}

int Call(const CliRequest& request, CoreParts& parts, const CliOutput& output)
{
    UnitSession session(parts, output);
    if (!Open(session, request.port, parts.folder, output))
        return ExitPortFailed;
    if (session.testCall(request.address, request.message, request.bleepCode))
        return ExitDone;
    output.error(QStringLiteral("pagerbench-cli: the unit did not take the call"));
    return ExitUnitFailed;
}

QList<ReportRow> RowsOfFile(CoreParts& parts, const QString& file)
{
    LeesSetFile(parts.grid, parts.rows, file);
    return ShownRows(parts);
}

int Show(const CliRequest& request, CoreParts& parts, const CliOutput& output)
{
    const QList<ReportRow> rows = RowsOfFile(parts, request.files.first());
    if (request.json) {
        output.result(RowsJson(parts.unitType, rows));
        return ExitDone;
    }
    for (const ReportRow& row : rows)
        output.resultLine(RowLine(row));
    return ExitDone;
}

int Diff(const CliRequest& request, CoreParts& parts, const CliOutput& output)
{
    const QList<ReportRow> first = RowsOfFile(parts, request.files.at(0));
    const QList<ReportRow> second = RowsOfFile(parts, request.files.at(1));
    const QStringList lines = DiffLines(first, second);
    for (const QString& line : lines)
        output.resultLine(line);
    return lines.isEmpty() ? ExitDone : ExitUnitFailed;
}

int Monitor(const CliRequest& request, CoreParts& parts, const CliOutput& output)
{
    UnitSession session(parts, output);
    if (!Open(session, request.port, parts.folder, output))
        return ExitPortFailed;
    session.monitor(request.seconds ? *request.seconds * kMillisecondsPerSecond : -1);
    return ExitDone;
}

} // namespace

int RunCli(const QStringList& arguments, const CliOutput& output)
{
    QString problem;
    const std::optional<CliRequest> request = ParseArguments(arguments, problem);
    if (!request) {
        output.error(QStringLiteral("pagerbench-cli: ") + problem);
        output.error(UsageText());
        return ExitBadUsage;
    }
    switch (request->command) {
    case Command::Help:
        output.result(UsageText().toLocal8Bit());
        return ExitDone;
    case Command::Version:
        output.resultLine(QStringLiteral("pagerbench-cli ") + QCoreApplication::applicationVersion());
        return ExitDone;
    default:
        break;
    }

    CoreParts parts;
    if (!SetUp(*request, parts, output) || !FilesReadable(*request, output))
        return ExitBadUsage;
    switch (request->command) {
    case Command::Read: return Read(*request, parts, output);
    case Command::Write: return Write(*request, parts, output);
    case Command::Call: return Call(*request, parts, output);
    case Command::Show: return Show(*request, parts, output);
    case Command::Diff: return Diff(*request, parts, output);
    case Command::Monitor: return Monitor(*request, parts, output);
    case Command::Help:
    case Command::Version: break;
    }
    return ExitBadUsage;
}

} // namespace pb::cli
