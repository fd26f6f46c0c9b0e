#include "UnitCommands.h"

#include "PortFailure.h"
#include "RowReport.h"

#include "files/SettingsFile.h"
#include "link/ports/PortMap.h"
#include "link/ports/PresentPorts.h"
#include "settings/GridTransfer.h"
#include "settings/RowCoding.h"

#include <functional>

namespace pb::cli {

namespace {

constexpr int kMillisecondsPerSecond = 1000;

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
        why = WhyPortDidNotOpen(device.device, session.openError());
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
        if (OptionOfUnitValue(parts.unitType, row, parts.optionCount(row), sent))
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
        if (Sendable(parts.unitType, row, parts.optionCount(row), parts.rows.FileSettings[row]))
            continue;
        unsendable.append(row);
        parts.rows.UnitSettings[row] = -1;
    }
    return unsendable;
}

QByteArray ReadJson(const CoreParts& parts, const QList<int16_t>& unnamed)
{
    QList<ReportRow> rows = ShownRows(parts, parts.rows.FileSettings);
    for (ReportRow& row : rows) {
        if (unnamed.contains(int16_t(row.row)))
            row.unitValue = parts.rows.ValueFromUnit[row.row];
    }
    return RowsJson(parts.unitType, rows);
}

} // namespace

DeviceIdentity DeviceOf(const QString& port, const ProgramFolder& folder)
{
    const int number = PortNumberOfName(port);
    if (number < 1 || number > 99)
        return port;
    return ResolvePort(number, folder, PresentPorts);
}

int OnUnit(const UnitCommand& command, const std::function<int(UnitSession&)>& work)
{
    UnitSession session(command.parts, command.output, command.interruption);
    if (!Open(session, command))
        return ExitPortFailed;
    const int status = work(session);
    return session.interrupted() ? ExitInterrupted : status;
}

std::optional<QList<int16_t>> ReadForSaving(UnitSession& session, const UnitCommand& command, const char* otherwise)
{
    const QList<int16_t> unread = session.readAll();
    if (session.interrupted())
        return std::nullopt;
    if (!unread.isEmpty()) {
        command.output.error(
            QStringLiteral("pagerbench-cli: %1 not read; %2").arg(RowNumbers(unread), QLatin1String(otherwise)));
        return std::nullopt;
    }
    const QList<int16_t> unnamed = LeaveOutUnnamedValues(command.parts, command.output);
    SettingsToFile(command.parts.rows);
    return unnamed;
}

bool SaveSettingsFile(const QString& path, const UnitCommand& command)
{
    const QByteArray bytes = SettingsFileBytes(command.parts.rows);
    if (path.isEmpty() || path == kStandardStream)
        return command.output.result(bytes);
    const WriteOutcome written = WriteFileAtomically(path, bytes);
    if (!written)
        command.output.error(QStringLiteral("pagerbench-cli: cannot write %1: %2").arg(written.path, written.failure));
    return written.ok();
}

int Read(const UnitCommand& command)
{
    return OnUnit(command, [&](UnitSession& session) -> int {
        const std::optional<QList<int16_t>> unnamed = ReadForSaving(session, command, "no file written");
        if (!unnamed)
            return ExitUnitFailed;
        const CliRequest& request = command.request;
        // Standard output holds the file, unless it holds the JSON.
        const bool fileWanted = !request.json || !request.out.isEmpty();
        if (fileWanted && !SaveSettingsFile(request.out, command))
            return ExitBadUsage;
        if (request.json)
            command.output.result(ReadJson(command.parts, *unnamed));
        return unnamed->isEmpty() ? ExitDone : ExitUnitFailed;
    });
}

// With --backup the unit is read and saved first, and nothing is written
// unless every row was read and the backup saved.
int Write(const UnitCommand& command, const FileRows& file)
{
    CoreParts& parts = command.parts;
    return OnUnit(command, [&](UnitSession& session) -> int {
        const QString& backup = command.request.backup;
        if (!backup.isEmpty()) {
            if (!ReadForSaving(session, command, "no backup made and nothing written"))
                return ExitUnitFailed;
            if (!SaveSettingsFile(backup, command))
                return ExitBadUsage;
        }
        LoadFileRows(file, parts);
        const QList<int16_t> unsendable = LeaveOutUnsendable(parts);
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
