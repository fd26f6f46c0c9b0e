#include "UnitSession.h"

#include "link/Flags.h"
#include "link/UnitPort.h"
#include "link/UnitRequests.h"
#include "settings/GridTransfer.h"
#include "settings/ValueCoding.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTime>
#include <QTimer>
#include <algorithm>
#include <memory>

namespace pb::cli {

namespace {

using State = ProtocolEngine::State;

constexpr int kTickMs = 25;
// A reply that is too long does not count against the failure limit, so
// the window would retry such a row until the user cancels; here a row is
// given up after this many tries.
constexpr int kAttemptsPerRow = 2 * kErrorLimit;

} // namespace

QList<int16_t> ShownRowNumbers(const CoreParts& parts)
{
    QList<int16_t> rows;
    const int16_t last = std::min<int16_t>(HighestRow(parts.unitType), kGridRows - 1);
    for (int16_t row = 0; row <= last; ++row) {
        if (parts.grid.shown(row))
            rows.append(row);
    }
    return rows;
}

UnitSession::UnitSession(CoreParts& parts, const CliOutput& output, const Interruption& interruption)
    : parts_(parts),
      output_(output),
      interruption_(interruption),
      port_(portLog_, parts.texts, lamps_),
      engine_({port_, parts.rows, parts.grid, parts.texts, *this, parts.unitType, *this}),
      operations_(parts.rows, engine_.Requests(), parts.grid, parts.texts, *this)
{
    engine_.onReport = [this](const ExchangeReport& report) { noteReport(report); };
}

// What the commands judge by: the rows the unit confirmed, the call it took.
void UnitSession::noteReport(const ExchangeReport& report)
{
    tickReports_.append(report);
    if (report.result != ExchangeResult::Done)
        return;
    switch (report.exchange) {
    case Exchange::ReadRow:
        if (report.storedRow >= 0 && report.storedRow < kGridRows)
            confirmed_[report.storedRow] = true;
        break;
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
    engine_.ProtocolTick(kStartCommand);
    return true;
}

QList<int16_t> UnitSession::readAll()
{
    tab_ = UnitTab;
    ResetSettingsInUnit(parts_.rows);
    parts_.rows.ValueFromUnit.fill(-1);
    confirmed_.fill(false);
    operations_.ReadAll();
    runUntil([this] { return rowsServed(); });
    return unconfirmedRows();
}

QList<int16_t> UnitSession::writeAll()
{
    tab_ = UnitTab;
    confirmed_.fill(false);
    operations_.WriteAll();
    runUntil([this] { return rowsServed(); });
    return unconfirmedRows();
}

bool UnitSession::testCall(const QString& address, const QString& message, int16_t bleepCode)
{
    tab_ = ServiceTab;
    address_ = address;
    message_ = message;
    bleepCode_ = bleepCode;
    callTaken_ = false;
    if (!operations_.TestCall())
        return false;
    runUntil([&] { return !engine_.Requests().testCallPending() && engine_.EngineState() == State::Ready; });
    return callTaken_;
}

void UnitSession::monitor(int milliseconds)
{
    tab_ = StatusTab;
    monitoring_ = true;
    runUntil([this] { return output_.failed(); }, milliseconds);
    monitoring_ = false;
}

void UnitSession::runUntil(const std::function<bool()>& done, int milliseconds)
{
    interrupted_ = interruption_.happened();
    if (interrupted_)
        return;
    QEventLoop loop;
    std::unique_ptr<QSocketNotifier> interrupt;
    if (interruption_.descriptor() >= 0) {
        interrupt = std::make_unique<QSocketNotifier>(interruption_.descriptor(), QSocketNotifier::Read);
        QObject::connect(interrupt.get(), &QSocketNotifier::activated, &loop, [&] {
            interrupt->setEnabled(false); // the signal stays pending, the descriptor readable
            interrupted_ = true;
            loop.quit();
        });
    }
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(kTickMs);
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
        // Without a descriptor (Windows) the ticks look for Ctrl-C.
        if (!interrupt && interruption_.happened()) {
            interrupted_ = true;
            loop.quit();
            return;
        }
        tick();
        if (done())
            loop.quit();
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (milliseconds >= 0)
        deadline.start(milliseconds);
    ticker.start();
    loop.exec();
}

void UnitSession::tick()
{
    tickProgress_.clear();
    tickLog_.clear();
    tickReports_.clear();
    const QString lineBefore = progressLine_;
    engine_.ProtocolTick(0);
    port_.Tick();
    countAttempt();

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

// Counts the tries of the row the engine has just begun to serve.
void UnitSession::countAttempt()
{
    const State state = engine_.EngineState();
    const int16_t row = engine_.CurrentRow();
    const bool sending = state == State::SendRead || state == State::SendWrite;
    if (!sending || row < 0 || row >= kGridRows) {
        attemptRow_ = -1;
        return;
    }
    if (row == attemptRow_)
        return;
    attemptRow_ = row;
    if (++attempts_[row] > kAttemptsPerRow)
        engine_.CancelRequests();
}

bool UnitSession::rowsServed() const
{
    const UnitRequests& requests = engine_.Requests();
    const State state = engine_.EngineState();
    return !requests.anyRowPending() && !requests.readAllPending() && !requests.writeAllPending()
        && (state == State::Ready || state == State::ServeUnitTab);
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

void UnitSession::AppendProgress(const QString& text, bool)
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
