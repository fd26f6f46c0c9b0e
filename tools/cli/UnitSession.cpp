#include "UnitSession.h"

#include "TickLoop.h"

#include "link/devices/Flags.h"
#include "link/devices/UnitPort.h"
#include "settings/GridTransfer.h"
#include "settings/ValueCoding.h"
#include "texts/PortWording.h"

#include <QTime>
#include <algorithm>

namespace pb::cli {

namespace {

// A reply that is too long does not count against the failure limit, so
// the window would retry such a row until the user cancels; here a row is
// given up after this many tries.
constexpr int kAttemptsPerRow = 2 * kErrorLimit;

} // namespace

QList<int16_t> ShownRowNumbers(const CoreParts& parts)
{
    return ShownRowNumbers(parts.unitType, parts);
}

void ShowValue(CoreParts& parts, int16_t row)
{
    int16_t& value = parts.rows.UnitSettings[row];
    if (parts.rowShown(row) && (value < -1 || value >= parts.optionCount(row)))
        value = 0;
}

UnitSession::UnitSession(CoreParts& parts, const CliOutput& output, const Interruption& interruption)
    : parts_(parts),
      output_(output),
      interruption_(interruption),
      port_(portLog_, PortWordsOf(parts.texts), lamps_),
      engine_({port_, *this, parts.unitType}),
      narration_(parts, parts.texts, *this, [this](const QString& text, bool) { appendProgress(text); })
{
    engine_.onExchangeStart = [this](const ExchangeStart& start) {
        countAttempt(start.row);
        narration_.started(start);
    };
    engine_.onReport = [this](const ExchangeReport& report) {
        noteReport(report);
        narration_.reported(report);
    };
    engine_.onRowsDropped = [this] { narration_.dropped(); };
    engine_.onOutcome = [this](const RequestOutcome& outcome) {
        if (outcome.id == waitingFor_)
            waitingFor_ = 0;
    };
}

// What the commands judge by: the rows the unit confirmed, the call it took.
// A value read goes into the rows as the window takes it.
void UnitSession::noteReport(const ExchangeReport& report)
{
    tickReports_.append(report);
    if (report.result != ExchangeResult::Done)
        return;
    switch (report.exchange) {
    case Exchange::ReadRow: {
        const int16_t row = report.storedRow;
        if (row < 0 || row >= kGridRows)
            break;
        confirmed_[row] = true;
        RowValues& rows = parts_.rows;
        rows.ValueFromUnit[row] = report.unitValue;
        rows.SettingsInUnit[row] = rows.UnitSettings[row] = report.value;
        ShowValue(parts_, row);
        break;
    }
    case Exchange::WriteRow:
        if (report.row >= 0 && report.row < kGridRows)
            confirmed_[report.row] = true;
        break;
    case Exchange::Call:
        callTaken_ = true;
        break;
    case Exchange::CallNumber:
        break;
    }
}

bool UnitSession::open(const DeviceIdentity& device)
{
    port_.deviceName = [device](int) { return device; };
    // What the device says while it opens waits: when it does not open, its
    // last word is the reason why.
    QStringList opening;
    port_.onDeviceNotice = [&opening](const QString& line) { opening << line; };
    const bool opened = OpenUnitPort(port_, 0) == 0;
    if (!opened && !opening.isEmpty())
        whyNotOpened_ = opening.takeLast();
    // The monitor prints every port line already; other commands would
    // otherwise keep the reason behind their time-outs to themselves.
    port_.onDeviceNotice = [this](const QString& line) {
        if (!monitoring_)
            output_.error(line);
    };
    for (const QString& line : opening)
        port_.onDeviceNotice(line);
    if (!opened)
        return false;
    engine_.start();
    return true;
}

QList<int16_t> UnitSession::readAll()
{
    ResetSettingsInUnit(parts_.rows);
    parts_.rows.ValueFromUnit.fill(-1);
    confirmed_.fill(false);
    // A shown row shows nothing until its value comes.
    for (int16_t row : ShownRowNumbers(parts_))
        parts_.rows.UnitSettings[row] = -1;
    mode_ = ServingMode::RowsAndBulk;
    runRequest(UnitRequest::ReadAll([this] {
        QList<RowValue> rows;
        for (int16_t row : ShownRowNumbers(parts_))
            rows.append({row, -1});
        return rows;
    }));
    return unconfirmedRows();
}

QList<int16_t> UnitSession::writeAll()
{
    confirmed_.fill(false);
    progressLine_.clear();
    mode_ = ServingMode::RowsAndBulk;
    runRequest(UnitRequest::WriteAll([this] {
        QList<RowValue> rows;
        for (int16_t row : ShownRowNumbers(parts_))
            rows.append({row, parts_.rows.UnitSettings[row]});
        return rows;
    }));
    return unconfirmedRows();
}

bool UnitSession::testCall(const QString& address, const QString& message, int16_t bleepCode)
{
    callTaken_ = false;
    if (address.isEmpty())
        return false;
    mode_ = ServingMode::Call;
    const CallFields fields{address, message, bleepCode};
    runRequest(UnitRequest::TestCall([fields] { return fields; }));
    return callTaken_;
}

void UnitSession::runRequest(UnitRequest request)
{
    waitingFor_ = engine_.request(std::move(request));
    runUntil([this] { return waitingFor_ == 0; });
}

void UnitSession::monitor(int milliseconds)
{
    mode_ = ServingMode::Monitor;
    monitoring_ = true;
    runUntil([this] { return output_.failed(); }, milliseconds);
    monitoring_ = false;
}

void UnitSession::runUntil(const std::function<bool()>& done, int milliseconds)
{
    interrupted_ = RunTicks(interruption_, [this] { tick(); }, done, milliseconds);
}

void UnitSession::tick()
{
    tickProgress_.clear();
    tickLog_.clear();
    tickReports_.clear();
    const QString lineBefore = progressLine_;
    engine_.tick(mode_);
    port_.Tick();

    const bool failed = std::any_of(tickReports_.begin(), tickReports_.end(),
                                    [](const ExchangeReport& report) { return IsReplyFault(report.result); });
    if (!failed)
        return;
    // An exchange failed: its error text goes out even without a terminal.
    // Reads and calls log a whole text for it; a write only ends its
    // progress line.
    if (output_.progress && !tickProgress_.isEmpty())
        return; // its progress line has shown it
    if (tickLog_.isEmpty())
        output_.error((lineBefore + tickProgress_).trimmed());
    for (const QString& text : std::as_const(tickLog_))
        output_.error(text.trimmed());
}

// Counts the tries of the row whose frame is about to go out; past the
// limit every pending row is given up, this try still going out.
void UnitSession::countAttempt(int16_t row)
{
    if (row < 0 || row >= kGridRows || ++attempts_[row] <= kAttemptsPerRow)
        return;
    engine_.cancelRows();
    narration_.dropped();
}

QList<int16_t> UnitSession::unconfirmedRows() const
{
    QList<int16_t> unconfirmed;
    for (int16_t row : ShownRowNumbers(parts_)) {
        if (!confirmed_[row])
            unconfirmed.append(row);
    }
    return unconfirmed;
}

void UnitSession::appendProgress(const QString& text)
{
    tickProgress_ += text;
    progressLine_ += text;
    for (qsizetype end = progressLine_.indexOf(QStringLiteral("\r\n")); end >= 0;
         end = progressLine_.indexOf(QStringLiteral("\r\n"))) {
        const QString line = progressLine_.left(end).trimmed();
        progressLine_.remove(0, end + 2);
        if (!line.isEmpty())
            output_.progressLine(line);
    }
}

void UnitSession::PortLog::WriteLog(const QString& message)
{
    if (session_.monitoring_)
        session_.output_.error(message);
    else
        session_.WriteLog(message);
}

void UnitSession::WriteLog(const QString& message)
{
    if (monitoring_) {
        // As the message window shows it: the time of day, then the text.
        output_.resultLine(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")) + u' ' + message);
        return;
    }
    tickLog_.append(message);
}

} // namespace pb::cli
