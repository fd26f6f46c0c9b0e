#include "UnitCommands.h"

#include "PortFailure.h"
#include "RowCoding.h"
#include "RowReport.h"

#include "files/SettingsFile.h"
#include "link/PortMap.h"
#include "link/PresentPorts.h"
#include "settings/GridTransfer.h"

#include <functional>

namespace pb::cli {

namespace {

constexpr int kMillisecondsPerSecond = 1000;

// "Com<n>" is the program's port n, resolved as the program resolves it
// (an adapter the automatic numbering chose is reopened only as itself);
// anything else names the device itself.
DeviceIdentity DeviceOf(const QString& port, const ProgramFolder& folder)
{
    const int number = PortNumberOfName(port);
    if (number < 1 || number > 99)
        return port;
    return ResolvePort(number, folder, PresentPorts);
}

// The device's own notices begin with its address, which the error line
// names already.
QString WithoutLeadingName(const QString& notice, const QString& device)
{
    const QString prefix = device + u' ';
    return notice.startsWith(prefix) ? notice.mid(prefix.size()) : notice;
}

bool Open(UnitSession& session, const UnitCommand& command)
{
    const QString& port = command.request.port;
    const DeviceIdentity device = DeviceOf(port, command.parts.folder);
    if (session.open(device))
        return true;
    QString why;
    if (device.device.isEmpty())
        why = QStringLiteral("the adapter that has this number is not plugged in");
    else if (!session.whyNotOpened().isEmpty())
        why = WithoutLeadingName(session.whyNotOpened(), device.device);
    else
        why = WhyPortDidNotOpen(device.device);
    const QString named = device.device == port || device.device.isEmpty()
        ? port
        : QStringLiteral("%1 (%2)").arg(port, device.device);
    command.output.error(QStringLiteral("pagerbench-cli: cannot open the port %1: %2").arg(named, why));
    return false;
}

// Rows whose value from the unit no option names would be saved as the
// option the grid fell back to, and a write would then change the unit.
// They are saved as -1 instead, which a write does not send.
QList<int16_t> LeaveOutUnnamedValues(CoreParts& parts, const CliOutput& output)
{
    QList<int16_t> unnamed;
    for (int16_t row : ShownRowNumbers(parts)) {
        const int16_t sent = parts.rows.ValueFromUnit[row];
        if (OptionOfUnitValue(parts, row, sent))
            continue;
        unnamed.append(row);
        parts.rows.UnitSettings[row] = -1;
        output.error(QStringLiteral("pagerbench-cli: row %1: the unit holds %2, which no option of the row names;"
                                    " it is saved as -1, which a write does not send")
                         .arg(row)
                         .arg(sent));
    }
    return unnamed;
}

// Rows whose file value is no option of the row, or one without a code,
// are left out of the write: none selected, the engine sends nothing.
QList<int16_t> LeaveOutUnsendable(CoreParts& parts)
{
    QList<int16_t> unsendable;
    for (int16_t row : ShownRowNumbers(parts)) {
        if (Sendable(parts, row, parts.rows.FileSettings[row]))
            continue;
        unsendable.append(row);
        parts.rows.UnitSettings[row] = -1;
    }
    return unsendable;
}

// Opens the port and runs `work` on it. A signal meanwhile ends the command
// as interrupted, whatever the work made of it.
int OnUnit(const UnitCommand& command, const std::function<int(UnitSession&)>& work)
{
    UnitSession session(command.parts, command.output, command.interruption);
    if (!Open(session, command))
        return ExitPortFailed;
    const int status = work(session);
    return session.interrupted() ? ExitInterrupted : status;
}

// What "Save to file" writes, once every row was read: the grid, then rows
// 26..49 as they came in, which is 0 here, like the rows the unit type does
// not show. Then the rows as JSON when asked.
int SaveRead(const UnitCommand& command)
{
    const CliRequest& request = command.request;
    CoreParts& parts = command.parts;
    const CliOutput& output = command.output;
    const QList<int16_t> unnamed = LeaveOutUnnamedValues(parts, output);
    SettingsToFile(parts.rows);
    const QStringList lines = SettingsFileLines(parts.rows);
    const bool toStandardOutput = request.out.isEmpty() || request.out == kStandardStream;
    if (!toStandardOutput) {
        const WriteOutcome written = WriteTextFileAtomically(request.out, lines);
        if (!written) {
            output.error(QStringLiteral("pagerbench-cli: cannot write %1: %2").arg(written.path, written.failure));
            return ExitBadUsage;
        }
    }
    if (request.json) {
        QList<ReportRow> rows = ShownRows(parts, parts.rows.FileSettings);
        for (ReportRow& row : rows) {
            if (unnamed.contains(int16_t(row.row)))
                row.unitValue = parts.rows.ValueFromUnit[row.row];
        }
        output.result(RowsJson(parts.unitType, rows));
    } else if (toStandardOutput) {
        output.result(JoinCrLf(lines));
    }
    return unnamed.isEmpty() ? ExitDone : ExitUnitFailed;
}

} // namespace

int Read(const UnitCommand& command)
{
    return OnUnit(command, [&](UnitSession& session) -> int {
        const QList<int16_t> unread = session.readAll();
        if (session.interrupted())
            return ExitInterrupted;
        if (unread.isEmpty())
            return SaveRead(command);
        command.output.error(QStringLiteral("pagerbench-cli: %1 not read; no file written").arg(RowNumbers(unread)));
        return ExitUnitFailed;
    });
}

int Write(const UnitCommand& command, const FileRows& file)
{
    CoreParts& parts = command.parts;
    LoadFileRows(file, parts);
    const QList<int16_t> unsendable = LeaveOutUnsendable(parts);
    return OnUnit(command, [&](UnitSession& session) -> int {
        const QList<int16_t> unwritten = session.writeAll();
        if (session.interrupted())
            return ExitInterrupted;
        for (int16_t row : unsendable) {
            command.output.error(
                QStringLiteral("pagerbench-cli: row %1 not written: %2 is no option of the row the unit takes")
                    .arg(row)
                    .arg(parts.rows.FileSettings[row]));
        }
        QList<int16_t> failed = unwritten;
        failed.removeIf([&](int16_t row) { return unsendable.contains(row); });
        if (!failed.isEmpty())
            command.output.error(QStringLiteral("pagerbench-cli: %1 not written").arg(RowNumbers(failed)));
        return unwritten.isEmpty() ? ExitDone : ExitUnitFailed;
    });
}

int Call(const UnitCommand& command)
{
    const CliRequest& request = command.request;
    return OnUnit(command, [&](UnitSession& session) -> int {
        if (session.testCall(request.address, request.message, request.bleepCode) || session.interrupted())
            return ExitDone;
        command.output.error(QStringLiteral("pagerbench-cli: the unit did not take the call"));
        return ExitUnitFailed;
    });
}

int Monitor(const UnitCommand& command)
{
    const std::optional<int>& seconds = command.request.seconds;
    return OnUnit(command, [&](UnitSession& session) -> int {
        session.monitor(seconds ? *seconds * kMillisecondsPerSecond : -1);
        return ExitDone;
    });
}

} // namespace pb::cli
