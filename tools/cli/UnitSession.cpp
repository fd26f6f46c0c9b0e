#include "UnitSession.h"

#include "link/Flags.h"
#include "link/UnitPort.h"
#include "link/UnitRequests.h"
#include "settings/GridTransfer.h"
#include "settings/ValueCoding.h"
#include "texts/TextNumbers.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTime>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <memory>
#include <sys/signalfd.h>
#include <unistd.h>

namespace pb::cli {

namespace {

using State = ProtocolEngine::State;

constexpr int kTickMs = 25;
// A reply that is too long does not count against the failure limit, so
// the window would retry such a row until the user cancels; here a row is
// given up after this many tries.
constexpr int kAttemptsPerRow = 2 * kErrorLimit;

bool AwaitsReply(State state)
{
    switch (state) {
    case State::WriteReplyStart: case State::WriteReplyLength: case State::WriteReplyData:
    case State::ReadReplyStart: case State::ReadReplyLength: case State::ReadReplyData:
    case State::CallNumberReplyStart: case State::CallNumberReplyLength: case State::CallNumberReplyData:
    case State::CallReplyStart: case State::CallReplyLength: case State::CallReplyData:
        return true;
    default:
        return false;
    }
}

bool IsCallReply(State state)
{
    return state == State::CallReplyStart || state == State::CallReplyLength || state == State::CallReplyData;
}

// Ctrl-C ends the loop rather than the process, so that the port is closed
// and what was read so far is reported. The signal comes as a readable
// descriptor while the loop runs.
class InterruptWatch {
public:
    explicit InterruptWatch(QEventLoop& loop)
    {
        sigemptyset(&signals_);
        sigaddset(&signals_, SIGINT);
        sigaddset(&signals_, SIGTERM);
        if (sigprocmask(SIG_BLOCK, &signals_, &before_) != 0)
            return;
        fd_ = signalfd(-1, &signals_, SFD_CLOEXEC);
        if (fd_ < 0)
            return;
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, &loop, [this, &loop] {
            interrupted_ = true;
            loop.quit();
        });
    }
    ~InterruptWatch()
    {
        notifier_.reset();
        if (fd_ >= 0)
            ::close(fd_);
        if (!interrupted_)
            sigprocmask(SIG_SETMASK, &before_, nullptr);
    }
    bool interrupted() const { return interrupted_; }

private:
    sigset_t signals_{};
    sigset_t before_{};
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    bool interrupted_ = false;
};

} // namespace

UnitSession::UnitSession(CoreParts& parts, const CliOutput& output)
    : parts_(parts),
      output_(output),
      port_(*this, parts.texts, lamps_),
      engine_({port_, parts.rows, parts.grid, parts.texts, *this, parts.unitType, *this}),
      operations_(parts.rows, engine_.UnitRequests(), parts.grid, parts.texts, *this)
{
}

bool UnitSession::open(const QString& device)
{
    port_.deviceName = [device](int) { return device; };
    if (OpenUnitPort(port_, 0) != 0)
        return false;
    engine_.ProtocolTick(kStartCommand);
    return true;
}

bool UnitSession::readAll()
{
    tab_ = UnitTab;
    ResetSettingsInUnit(parts_.rows);
    operations_.ReadAll();
    runUntil([this] { return rowsServed(); });
    return shownRowsConfirmed(false);
}

bool UnitSession::writeAll()
{
    tab_ = UnitTab;
    operations_.WriteAll();
    runUntil([this] { return rowsServed(); });
    return shownRowsConfirmed(true);
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
    const UnitRequestRecord& requests = engine_.UnitRequests();
    runUntil([&] { return requests.TestCall == kFalse && engine_.EngineState() == State::Ready; });
    return callTaken_;
}

void UnitSession::monitor(int milliseconds)
{
    tab_ = StatusTab;
    monitoring_ = true;
    runUntil([] { return false; }, milliseconds);
    monitoring_ = false;
}

bool UnitSession::runUntil(const std::function<bool()>& done, int milliseconds)
{
    QEventLoop loop;
    InterruptWatch interrupt(loop);
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(kTickMs);
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
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
    return !interrupt.interrupted();
}

void UnitSession::tick()
{
    tickProgress_.clear();
    tickLog_.clear();
    const QString lineBefore = progressLine_;
    const State before = engine_.EngineState();
    engine_.ProtocolTick(0);
    const State after = engine_.EngineState();
    countAttempt();

    if (!AwaitsReply(before) || after != State::Ready)
        return;
    if (IsCallReply(before) && tickLog_.contains(parts_.texts[TxtCallSucceeded] + u'.')) {
        callTaken_ = true;
        return;
    }
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
    const int16_t row = engine_.UnitRequests().CurrentRow;
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
    const UnitRequestRecord& requests = engine_.UnitRequests();
    for (int row = 0; row < kGridRows; ++row)
        if (parts_.rows.RowRequest[row] != NoRequest)
            return false;
    const State state = engine_.EngineState();
    return requests.ReadAll == kFalse && requests.WriteAll == kFalse
        && (state == State::Ready || state == State::ServeUnitTab);
}

bool UnitSession::shownRowsConfirmed(bool written) const
{
    const RowValues& rows = parts_.rows;
    const int16_t last = std::min<int16_t>(HighestRow(parts_.unitType), kGridRows - 1);
    for (int16_t row = 0; row <= last; ++row) {
        if (!parts_.grid.shown(row))
            continue;
        const bool confirmed = written ? rows.SettingsInUnit[row] == rows.UnitSettings[row]
                                       : rows.SettingsInUnit[row] >= 0;
        if (!confirmed)
            return false;
    }
    return true;
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
