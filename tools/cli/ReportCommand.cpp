#include "ReportCommand.h"

#include "report/ReportContent.h"
#include "report/ReportPdf.h"

#include <QFileInfo>

namespace pb::cli {

namespace {

// The reference's rows as the program reads them into `rows`. A file named
// with --against must be a settings file of the unit type (false when it is
// not); a default.set that is missing or is none leaves `rows` empty.
bool ReadReference(const QString& path, const UnitCommand& command, std::optional<RowArray>& rows)
{
    const bool named = !command.request.against.isEmpty();
    if (!named && !QFileInfo::exists(path))
        return true;
    const std::optional<FileRows> file = ReadFileRows(path, command.parts, command.output, command.interruption);
    if (file)
        rows = ValuesOf(*file);
    return file || !named;
}

// The shown rows as the parts hold them; `unnamed` the rows whose value
// from the unit no option names.
QList<ShownRow> RowsOf(const CoreParts& parts, bool fromUnit, const QList<int16_t>& unnamed)
{
    QList<ShownRow> rows;
    for (int16_t r : ShownRowNumbers(parts)) {
        ShownRow row{r, parts.layout[r].options, parts.rows.UnitSettings[r], fromUnit, std::nullopt};
        if (unnamed.contains(r))
            row.unnamedUnitValue = parts.rows.ValueFromUnit[r];
        rows.append(row);
    }
    return rows;
}

ReportHeader HeaderOf(const UnitCommand& command)
{
    const CliRequest& request = command.request;
    const CoreParts& parts = command.parts;
    ReportHeader header = CommonHeader(parts.unitType, parts.texts);
    if (request.from.isEmpty()) {
        header.port = request.port;
        header.device = DeviceOf(request.port, parts.folder).device;
    } else {
        header.fromFile = QFileInfo(request.from).fileName();
    }
    header.technician = request.technician;
    header.site = request.site;
    return header;
}

int WriteReport(const UnitCommand& command, ReportInputs& inputs)
{
    inputs.language = command.parts.language;
    inputs.header = HeaderOf(command);
    const WriteOutcome written = WriteReportPdf(command.request.out, MakeReport(inputs), command.parts.texts);
    if (written)
        return ExitDone;
    command.output.error(QStringLiteral("pagerbench-cli: cannot write %1: %2").arg(written.path, written.failure));
    return ExitBadUsage;
}

} // namespace

int Report(const UnitCommand& command)
{
    const CliRequest& request = command.request;
    CoreParts& parts = command.parts;
    ReportInputs inputs;
    const QString reference = request.against.isEmpty() ? parts.folder.defaultSettingsFileToRead() : request.against;
    inputs.referenceFile = QFileInfo(reference).fileName();
    if (!ReadReference(reference, command, inputs.reference))
        return ExitBadUsage;

    if (!request.from.isEmpty()) {
        const std::optional<FileRows> file = ReadFileRows(request.from, parts, command.output, command.interruption);
        if (!file)
            return ExitBadUsage;
        LoadFileRows(*file, parts);
        inputs.rows = RowsOf(parts, false, {});
        return WriteReport(command, inputs);
    }
    return OnUnit(command, [&](UnitSession& session) -> int {
        const std::optional<QList<int16_t>> unnamed = ReadForSaving(session, command, "no report written");
        if (!unnamed)
            return ExitUnitFailed;
        inputs.rows = RowsOf(parts, true, *unnamed);
        bool callTaken = true;
        if (!request.address.isEmpty()) {
            callTaken = session.testCall(request.address, request.message, request.bleepCode);
            if (session.interrupted())
                return ExitInterrupted;
            if (!callTaken)
                command.output.error(QStringLiteral("pagerbench-cli: the unit did not take the call"));
            inputs.call = ReportCall{request.address, request.message, request.bleepCode, callTaken};
        }
        const int status = WriteReport(command, inputs);
        return status == ExitDone && (!unnamed->isEmpty() || !callTaken) ? ExitUnitFailed : status;
    });
}

} // namespace pb::cli
