// Every exchange under every way its reply can end: the report the engine
// gives, what it does to the failure count, whether the request is asked
// again, whether the unit still counts as awake, and that the words shown
// and logged are the ones the wording table gives for that report.
#include "EngineFixture.h"
#include "link/ExchangeWording.h"

namespace {

using pb::Exchange;
using pbtest::Hex;
using Result = pb::ExchangeResult;
using State = pb::ProtocolEngine::State;

// What comes back for the request under test.
enum class Reply { Good, Nothing, StartByteOnly, StopsMidFrame, TooLong, BadChecksum, Echo, Nak, NoDigit, Uncodable };

// ErrorCount after the exchange; it was 1 before.
enum Errors { Cleared = 0, Kept = 1, Counted = 2 };

struct Case {
    Exchange exchange;
    Reply reply;
    Result result;
    int16_t value;  // in the report
    Errors errors;
    bool pending; // the row is asked again; for a call, another call waits
    bool awake;   // the wake window is still open
};

constexpr int16_t kRow = 4; // shown at position 2, the value written
constexpr int16_t kReadValue = 3;
constexpr char kDigit = '5';

// A read's window (80 ticks) runs out during any 120-tick time-out; a
// write's and a call's (200) only when no start byte came.
const Case kCases[] = {
    {Exchange::ReadRow, Reply::Good, Result::Done, kReadValue, Cleared, false, true},
    {Exchange::ReadRow, Reply::Nothing, Result::NoStartByte, -1, Counted, true, false},
    {Exchange::ReadRow, Reply::StartByteOnly, Result::NoLengthByte, -1, Counted, true, false},
    {Exchange::ReadRow, Reply::StopsMidFrame, Result::NoLengthByte, -1, Counted, true, false},
    {Exchange::ReadRow, Reply::TooLong, Result::TooLong, -1, Kept, true, true},
    {Exchange::ReadRow, Reply::BadChecksum, Result::Checksum, -1, Counted, true, true},
    {Exchange::ReadRow, Reply::Echo, Result::NoRowOrValue, -1, Counted, true, true},
    {Exchange::ReadRow, Reply::Uncodable, Result::NotCodable, -1, Kept, false, true},

    {Exchange::WriteRow, Reply::Good, Result::Done, 2, Cleared, false, true},
    {Exchange::WriteRow, Reply::Nothing, Result::NoStartByte, 2, Counted, true, false},
    {Exchange::WriteRow, Reply::StartByteOnly, Result::NoLengthByte, 2, Counted, true, true},
    {Exchange::WriteRow, Reply::StopsMidFrame, Result::NoLengthByte, 2, Counted, true, true},
    {Exchange::WriteRow, Reply::TooLong, Result::TooLong, 2, Kept, true, true},
    {Exchange::WriteRow, Reply::BadChecksum, Result::Checksum, 2, Counted, true, true},
    {Exchange::WriteRow, Reply::Uncodable, Result::NotCodable, -1, Kept, false, true},

    {Exchange::CallNumber, Reply::Good, Result::Done, kDigit - '0', Kept, false, true},
    {Exchange::CallNumber, Reply::NoDigit, Result::CallDigitOutOfRange, 'x' - '0', Counted, false, true},
    {Exchange::CallNumber, Reply::Nothing, Result::NoStartByte, -1, Counted, false, false},
    {Exchange::CallNumber, Reply::StartByteOnly, Result::NoLengthByte, -1, Kept, false, true},
    {Exchange::CallNumber, Reply::StopsMidFrame, Result::NoLengthByte, -1, Kept, false, true},
    {Exchange::CallNumber, Reply::TooLong, Result::TooLong, -1, Kept, false, true},
    {Exchange::CallNumber, Reply::BadChecksum, Result::Checksum, -1, Kept, false, true},

    {Exchange::Call, Reply::Good, Result::Done, -1, Kept, false, true},
    {Exchange::Call, Reply::Nak, Result::Refused, -1, Kept, false, true},
    {Exchange::Call, Reply::Nothing, Result::NoStartByte, -1, Counted, false, false},
    {Exchange::Call, Reply::StartByteOnly, Result::NoLengthByte, -1, Kept, false, true},
    {Exchange::Call, Reply::StopsMidFrame, Result::NoLengthByte, -1, Kept, false, true},
    {Exchange::Call, Reply::TooLong, Result::TooLong, -1, Kept, false, true},
    {Exchange::Call, Reply::BadChecksum, Result::Checksum, -1, Kept, false, true},
};

bool IsRow(Exchange exchange)
{
    return exchange == Exchange::ReadRow || exchange == Exchange::WriteRow;
}

QByteArray GoodReply(Exchange exchange)
{
    switch (exchange) {
    case Exchange::ReadRow: return pbtest::ReadReply(kRow, kReadValue);
    case Exchange::WriteRow: return pbtest::WriteReply();
    case Exchange::CallNumber: return pbtest::CallNumberReply(kDigit);
    case Exchange::Call: break;
    }
    return pbtest::CallReply(pb::kACK);
}

QByteArray ReplyBytes(Exchange exchange, Reply reply)
{
    QByteArray good = GoodReply(exchange);
    switch (reply) {
    case Reply::Good: return good;
    case Reply::StartByteOnly: return Hex("01");
    case Reply::StopsMidFrame: return good.left(5);
    case Reply::TooLong: return Hex("01 FF") + QByteArray(100, '\0');
    case Reply::BadChecksum: good[good.size() - 1] = char(good.back() ^ 0x40); return good;
    case Reply::Echo: return pbtest::ReadRequestFrame(kRow); // a line that hands back what is sent
    case Reply::Nak: return pbtest::CallReply(0x15);
    case Reply::NoDigit: return pbtest::CallNumberReply('x');
    case Reply::Nothing:
    case Reply::Uncodable: break;
    }
    return {};
}

// What the engine stood at when the exchange under test reported.
struct AtReport {
    bool seen = false;
    pb::ExchangeReport report;
    int16_t errorCount = 0;
    bool pending = false;
    int16_t wakeWindow = 0;
    State state = State::Ready;
    int16_t confirmed = -1; // SettingsInUnit of the row
    QByteArray sent;
    QString progress;
    QStringList logged;
    pb::ReportWording words;
};

class EngineConformance : public pbtest::EngineTest, public ::testing::WithParamInterface<Case> {
protected:
    // Asks for the exchange; a call's number comes first and is good unless
    // it is the one under test.
    void ask(const Case& c)
    {
        const QByteArray reply = ReplyBytes(c.exchange, c.reply);
        const bool callNumber = c.exchange == Exchange::CallNumber;
        line.answer = [=](const QByteArray& frame) {
            if (frame[5] == '2' && !callNumber)
                return pbtest::CallNumberReply(kDigit);
            return reply;
        };
        if (c.reply == Reply::Uncodable && c.exchange == Exchange::ReadRow)
            state.config.UnitType = 0; // no row has an item
        if (c.reply == Reply::Uncodable && c.exchange == Exchange::WriteRow)
            state.rows.UnitSettings[kRow] = -1; // no value to send
        if (c.exchange == Exchange::ReadRow)
            requests().read(kRow);
        else if (c.exchange == Exchange::WriteRow)
            requests().write(kRow);
        else
            requests().testCall();
    }

    void take(const pb::ExchangeReport& report, Exchange exchange)
    {
        if (seen.seen || report.exchange != exchange)
            return;
        seen = {true,
                report,
                engine.ErrorCount(),
                IsRow(exchange) ? requests().of(kRow) != pb::NoRequest : requests().testCallPending(),
                engine.WakeWindow(),
                engine.EngineState(),
                state.rows.SettingsInUnit[kRow],
                line.sent,
                view.progress,
                logged(),
                pb::WordReport(report, grid.grid, state.Tekst)};
    }

    AtReport seen;
};

TEST_P(EngineConformance, ReportFailureCountRetryAndWakeWindow)
{
    const Case& c = GetParam();
    grid.combo(kRow)->setCurrentIndex(2);
    state.rows.UnitSettings[kRow] = 2;
    view.address = "1234";
    start(IsRow(c.exchange) ? pb::SettingsTab : pb::ServiceTab);
    failReads(1); // so that a count, a clear and neither each show
    ASSERT_EQ(engine.ErrorCount(), 1);
    const int logBefore = int(logged().size());
    ask(c);
    const QString startText = IsRow(c.exchange) ? pb::ExchangeStartText(c.exchange, kRow, state.rows.UnitSettings[kRow],
                                                                          grid.grid, state.Tekst)
                                                : QString();
    engine.onReport = [&](const pb::ExchangeReport& report) { take(report, c.exchange); };
    for (int i = 0; i < 400 && !seen.seen; ++i)
        tick();
    ASSERT_TRUE(seen.seen) << "no report";

    EXPECT_EQ(seen.report.exchange, c.exchange);
    EXPECT_EQ(seen.report.result, c.result);
    EXPECT_EQ(seen.report.row, IsRow(c.exchange) ? kRow : -1);
    EXPECT_EQ(seen.report.value, c.value);
    EXPECT_EQ(seen.errorCount, int(c.errors));
    EXPECT_EQ(seen.pending, c.pending);
    EXPECT_EQ(seen.wakeWindow > 0, c.awake) << seen.wakeWindow;

    // Only a value the unit gave or took is confirmed; only a call number
    // that came leads on to the call.
    EXPECT_EQ(seen.confirmed, c.result == Result::Done && IsRow(c.exchange) ? c.value : -1);
    const bool callFollows = c.exchange == Exchange::CallNumber && !pb::IsReplyFault(c.result);
    EXPECT_EQ(seen.state, callFollows ? State::SendPagerCall : State::Ready);
    if (c.result == Result::NotCodable) {
        EXPECT_EQ(seen.sent, Hex("01 01 80 7F")) << "only the wake-up goes out";
    }

    EXPECT_EQ(seen.progress, startText + seen.words.progress);
    QStringList expectedLog;
    if (!startText.isEmpty())
        expectedLog << startText;
    if (!seen.words.log.isEmpty())
        expectedLog << seen.words.log;
    EXPECT_EQ(seen.logged.mid(logBefore), expectedLog);
}

const char* ExchangeName(Exchange exchange)
{
    switch (exchange) {
    case Exchange::ReadRow: return "ReadRow";
    case Exchange::WriteRow: return "WriteRow";
    case Exchange::CallNumber: return "CallNumber";
    case Exchange::Call: break;
    }
    return "Call";
}

const char* ReplyName(Reply reply)
{
    static const char* const kNames[] = {"Good",        "Nothing", "StartByteOnly", "StopsMidFrame", "TooLong",
                                         "BadChecksum", "Echo",    "Nak",           "NoDigit",       "Uncodable"};
    return kNames[int(reply)];
}

void PrintTo(const Case& c, std::ostream* out)
{
    *out << ExchangeName(c.exchange) << ' ' << ReplyName(c.reply);
}

INSTANTIATE_TEST_SUITE_P(EveryExchangeAndReply, EngineConformance, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(ExchangeName(info.param.exchange)) + '_' + ReplyName(info.param.reply);
                         });

} // namespace
