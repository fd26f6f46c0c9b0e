#include "link/check/ConnectionCheck.h"

#include "link/check/HostFacts.h"
#include "link/devices/TcpDevice.h"
#include "link/devices/UnitPort.h"

#include <QJsonArray>

namespace pb {

namespace {

const QByteArray kProbe = QByteArray::fromHex("0101807F"); // the wake-up sequence: no frame

QString KindName(DeviceErrorKind kind)
{
    switch (kind) {
    case DeviceErrorKind::None: return QStringLiteral("none");
    case DeviceErrorKind::Missing: return QStringLiteral("missing");
    case DeviceErrorKind::Forbidden: return QStringLiteral("forbidden");
    case DeviceErrorKind::Busy: return QStringLiteral("busy");
    case DeviceErrorKind::NotSerial: return QStringLiteral("not-serial");
    case DeviceErrorKind::Unreachable: return QStringLiteral("unreachable");
    case DeviceErrorKind::Refused: return QStringLiteral("refused");
    case DeviceErrorKind::TimedOut: return QStringLiteral("timed-out");
    case DeviceErrorKind::ClosedByPeer: return QStringLiteral("closed-by-peer");
    case DeviceErrorKind::Lost: return QStringLiteral("lost");
    case DeviceErrorKind::Other: return QStringLiteral("other");
    }
    return QString();
}

bool Readable(char c)
{
    const auto byte = uint8_t(c);
    return (byte >= 0x20 && byte < 0x7F) || c == '\r' || c == '\n' || c == '\t';
}

// Bytes that are the unit's diagnose text, or something else.
QString KindOfBytes(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("nothing");
    const auto readable = std::count_if(bytes.begin(), bytes.end(), Readable);
    const bool letters = std::any_of(bytes.begin(), bytes.end(), [](char c) { return QChar::isLetter(uint8_t(c)); });
    return letters && readable * 10 >= bytes.size() * 9 ? QStringLiteral("text") : QStringLiteral("other");
}

// The first readable line, short enough for one line of the check.
QString SampleOf(const QByteArray& bytes)
{
    for (const QByteArray& line : bytes.split('\n')) {
        const QString text = QString::fromLatin1(line).trimmed();
        if (!text.isEmpty())
            return text.left(60);
    }
    return QString();
}

QString ResultOf(const ExchangeReport& report, bool echo, bool bytes)
{
    switch (report.result) {
    case ExchangeResult::Done: return QStringLiteral("answered");
    case ExchangeResult::NoStartByte: return bytes ? QStringLiteral("garbled") : QStringLiteral("silent");
    case ExchangeResult::NoLengthByte:
    case ExchangeResult::TooLong:
    case ExchangeResult::Checksum: return QStringLiteral("garbled");
    case ExchangeResult::NoRowOrValue: return echo ? QStringLiteral("echo") : QStringLiteral("no-value");
    default: return QStringLiteral("not-sent");
    }
}

} // namespace

ConnectionCheck::ConnectionCheck(const CheckTarget& target, int16_t unitType, int16_t askRow, Datacom& port)
    : target_(target), unitType_(unitType), askRow_(askRow), port_(port)
{
}

int16_t ConnectionCheck::WatchedLine::ReadByte()
{
    const int16_t byte = line_.ReadByte();
    if (byte >= 0)
        read_.append(char(byte));
    return byte;
}

QByteArray ConnectionCheck::WatchedLine::take()
{
    return std::exchange(read_, QByteArray());
}

ConnectionCheck::~ConnectionCheck()
{
    engine_.reset();
    if (phase_ != Phase::NotStarted && phase_ != Phase::Done)
        port_.CloseComPort();
}

void ConnectionCheck::tell(CheckStep step, const QString& result, const QJsonObject& values)
{
    if (onFinding)
        onFinding({step, result, values});
}

void ConnectionCheck::start()
{
    const QString& device = target_.device.device;
    tell(CheckStep::Name, device.isEmpty() ? QStringLiteral("nothing") : QStringLiteral("named"),
         {{QStringLiteral("name"), target_.name}, {QStringLiteral("device"), device},
          {QStringLiteral("rule"), target_.rule}});
    findReach();
    phase_ = Phase::Opening;
    if (device.isEmpty()) {
        opened(false);
        return;
    }
    const DeviceIdentity identity = target_.device;
    port_.deviceName = [identity](int) { return identity; };
    openClock_.start();
    OpenUnitPortInBackground(port_, 0, [this](int16_t result) { opened(result == 0); });
}

// A device server is reached by its open; a local device is looked at first.
void ConnectionCheck::findReach()
{
    const QString& device = target_.device.device;
    if (IsTcpDevice(device))
        return;
    const DeviceFacts facts = device.isEmpty() ? DeviceFacts() : FactsOf(device);
    QJsonObject values{{QStringLiteral("device"), device}};
    const std::pair<const char*, QString> named[] = {{"linkTarget", facts.linkTarget},
                                                     {"maker", facts.maker},
                                                     {"product", facts.product},
                                                     {"serialNumber", facts.serialNumber}};
    for (const auto& [key, value] : named) {
        if (!value.isEmpty())
            values.insert(QLatin1String(key), value);
    }
    tell(CheckStep::Reach, facts.exists ? QStringLiteral("present") : QStringLiteral("missing"), values);
}

void ConnectionCheck::opened(bool opened)
{
    if (!findOpen(opened)) {
        cause_ = CheckCause::NotOpened;
        tell(CheckStep::Verdict, CauseName(cause_),
             {{QStringLiteral("exit"), ExitStatusOf(cause_)}, {QStringLiteral("kind"), openFailure_}});
        phase_ = Phase::Done;
        return;
    }
    findLine();
    phase_ = Phase::Listening;
    phaseTicks_ = 0;
}

bool ConnectionCheck::findOpen(bool opened)
{
    const DeviceIdentity& device = target_.device;
    const bool server = IsTcpDevice(device.device);
    const qint64 ms = openClock_.isValid() ? openClock_.elapsed() : 0;
    if (opened) {
        if (server)
            tell(CheckStep::Reach, QStringLiteral("connected"), {{QStringLiteral("ms"), ms}});
        tell(CheckStep::Open, QStringLiteral("opened"), {{QStringLiteral("ms"), ms}});
        return true;
    }
    const DeviceError error = device.device.isEmpty() ? DeviceError{DeviceErrorKind::Missing, QString()}
                                                      : port_.lastError();
    QJsonObject values{{QStringLiteral("kind"), KindName(error.kind)},
                       {QStringLiteral("systemText"), error.systemText}};
    if (server)
        tell(CheckStep::Reach, QStringLiteral("failed"), {{QStringLiteral("ms"), ms}, {QStringLiteral("systemText"), error.systemText}});
    if (error.kind == DeviceErrorKind::Forbidden && !AccessAdvice().isEmpty())
        values.insert(QStringLiteral("advice"), AccessAdvice());
    if (error.kind == DeviceErrorKind::Busy) {
        if (const std::optional<PortHolder> holder = HolderOf(device.device)) {
            values.insert(QStringLiteral("holderPid"), holder->pid);
            values.insert(QStringLiteral("holderCommand"), holder->command);
            values.insert(QStringLiteral("seenBy"), holder->byLockFile ? QStringLiteral("lock file")
                                                                       : QStringLiteral("open files"));
        } else if (!HowToFindHolder(device.device).isEmpty()) {
            values.insert(QStringLiteral("findHolder"), HowToFindHolder(device.device));
        }
        if (FactsOf(device.device).modemClass && ModemManagerRuns())
            values.insert(QStringLiteral("modemManager"), true);
    }
    openFailure_ = server && error.kind != DeviceErrorKind::Missing ? QStringLiteral("server") : KindName(error.kind);
    tell(CheckStep::Open, KindName(error.kind), values);
    return false;
}

void ConnectionCheck::findLine()
{
    const LineState line = port_.lineState();
    QJsonObject values{{QStringLiteral("settings"), line.settings}};
    if (line.serverSettings)
        values.insert(QStringLiteral("notConfirmed"), QJsonArray::fromStringList(line.notConfirmed));
    if (line.modemLines) {
        values.insert(QStringLiteral("modemLines"), QJsonObject{{QStringLiteral("cts"), line.clearToSend},
                                                                {QStringLiteral("dsr"), line.dataSetReady},
                                                                {QStringLiteral("dcd"), line.carrierDetect},
                                                                {QStringLiteral("ri"), line.ringIndicator}});
    }
    const int latency = IsTcpDevice(target_.device.device) ? -1 : FactsOf(target_.device.device).latencyTimerMs;
    if (latency >= 0)
        values.insert(QStringLiteral("latencyTimerMs"), latency);
    const QString result = line.settings.isEmpty() ? QStringLiteral("unknown")
        : line.serverSettings                      ? QStringLiteral("server")
                                                   : QStringLiteral("read-back");
    tell(CheckStep::Line, result, values);
}

void ConnectionCheck::tick()
{
    if (phase_ == Phase::NotStarted || phase_ == Phase::Done)
        return;
    ++ticks_;
    if (phase_ == Phase::Opening) {
        port_.Tick();
        return; // a device server's open is bounded by its own wait
    }
    ++phaseTicks_;
    switch (phase_) {
    case Phase::Listening: listen(); break;
    case Phase::Echoing: echo(); break;
    case Phase::Asking: ask(); break;
    case Phase::Ending: finish(); break;
    case Phase::NotStarted:
    case Phase::Opening:
    case Phase::Done: break;
    }
    port_.Tick();
    if (phase_ != Phase::Done && ticks_ >= kMostTicks) {
        if (engine_)
            engine_->dropAll();
        finish();
    }
}

QByteArray ConnectionCheck::drain()
{
    QByteArray bytes;
    for (int16_t byte = port_.ReadByte(); byte >= 0; byte = port_.ReadByte())
        bytes.append(char(byte));
    return bytes;
}

void ConnectionCheck::listen()
{
    unasked_ += drain();
    if (phaseTicks_ < kListenTicks)
        return;
    tell(CheckStep::Listen, KindOfBytes(unasked_),
         {{QStringLiteral("bytes"), unasked_.size()}, {QStringLiteral("sample"), SampleOf(unasked_)}});
    for (char byte : kProbe)
        port_.SendByte(uint8_t(byte));
    phase_ = Phase::Echoing;
    phaseTicks_ = 0;
}

void ConnectionCheck::echo()
{
    echoed_ += drain();
    echo_ = echoed_.startsWith(kProbe);
    if (!echo_ && phaseTicks_ < kEchoTicks)
        return;
    if (!echo_)
        unasked_ += echoed_;
    tell(CheckStep::Echo, echo_ ? QStringLiteral("echo") : QStringLiteral("none"),
         {{QStringLiteral("bytes"), QString::fromLatin1(echoed_.left(16).toHex(' ').toUpper())}});
    startAsking();
}

void ConnectionCheck::startAsking()
{
    engine_ = std::make_unique<ProtocolEngine>(EngineParts{watched_, *this, unitType_});
    engine_->onExchangeStart = [this](const ExchangeStart&) {
        tryClock_.start();
        unasked_ += watched_.take();
    };
    engine_->onReport = [this](const ExchangeReport& report) { noteTry(report); };
    engine_->onOutcome = [this](const RequestOutcome&) { askEnded_ = true; };
    engine_->start();
    engine_->request(UnitRequest::ReadRow(askRow_));
    phase_ = Phase::Asking;
    phaseTicks_ = 0;
}

void ConnectionCheck::ask()
{
    engine_->tick(ServingMode::Rows);
    if (askEnded_)
        phase_ = Phase::Ending;
}

void ConnectionCheck::noteTry(const ExchangeReport& report)
{
    if (report.exchange != Exchange::ReadRow)
        return;
    // The unit's text between the frames is no answer, nor a garbled one.
    const QByteArray read = watched_.take();
    const bool text = KindOfBytes(read) == QStringLiteral("text");
    if (text)
        unasked_ += read;
    const bool bytes = !read.isEmpty() && !text;
    ++tries_;
    const QString result = ResultOf(report, echo_, bytes);
    if (report.result == ExchangeResult::Done) {
        answered_ = true;
        answeredFirst_ = tries_ == 1;
    } else {
        bytesInTries_ = bytesInTries_ || (bytes && result != QStringLiteral("echo"));
        frameWithoutValue_ = frameWithoutValue_ || result == QStringLiteral("no-value");
        silentTries_ += result == QStringLiteral("silent") ? 1 : 0;
    }
    tell(CheckStep::Ask, result,
         {{QStringLiteral("try"), tries_}, {QStringLiteral("ms"), tryClock_.elapsed()},
          {QStringLiteral("row"), report.row}, {QStringLiteral("value"), report.value}});
    const bool enough = answered_ || tries_ >= kMostTries || silentTries_ >= kMostSilentTries
        || report.result == ExchangeResult::NotCodable;
    if (enough && !answered_)
        engine_->cancelRows();
}

void ConnectionCheck::finish()
{
    cause_ = judge();
    QJsonObject values{{QStringLiteral("exit"), ExitStatusOf(cause_)},
                       {QStringLiteral("unaskedBytes"), unasked_.size()},
                       {QStringLiteral("unasked"), KindOfBytes(unasked_)}};
    if (cause_ == CheckCause::Echo)
        values.insert(QStringLiteral("looksLike"), echoSource());
    tell(CheckStep::Verdict, CauseName(cause_), values);
    engine_.reset();
    port_.CloseComPort();
    phase_ = Phase::Done;
}

// A server echoes by itself; a two-wire adapter hands on the unit's own text
// besides our bytes; a loopback plug gives back our bytes and nothing else.
QString ConnectionCheck::echoSource() const
{
    if (IsTcpDevice(target_.device.device))
        return QStringLiteral("server");
    return KindOfBytes(unasked_) == QStringLiteral("nothing") ? QStringLiteral("loopback") : QStringLiteral("adapter");
}

CheckCause ConnectionCheck::judge() const
{
    if (answered_)
        return answeredFirst_ ? CheckCause::Answers : CheckCause::AnswersLater;
    if (echo_)
        return CheckCause::Echo;
    const QString unasked = KindOfBytes(unasked_);
    if (bytesInTries_ || unasked == QStringLiteral("other"))
        return CheckCause::Garbled;
    if (unasked == QStringLiteral("text"))
        return CheckCause::TextOnly;
    if (frameWithoutValue_)
        return CheckCause::NoValue;
    return CheckCause::Nothing;
}

void ConnectionCheck::WriteLog(const QString& message)
{
    unasked_ += message.toLatin1() + '\n';
}

} // namespace pb
