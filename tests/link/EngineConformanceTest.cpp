// Every exchange under every way its reply can end, as request → outcome:
// the report of the exchange under test, the reports and the status the
// request ends with, and whether the unit is woken before the next row's
// frame. What each report means for the failure limit is in
// EngineFailureLimitTest; its words are in ExchangeWordingTest.
#include "link/EngineRig.h"
#include "link/FrameBytes.h"

#include <gtest/gtest.h>

namespace {

using pb::Exchange;
using pb::OutcomeStatus;
using pbtest::Hex;
using Result = pb::ExchangeResult;

enum class Reply { Good, Nothing, StartByteOnly, StopsMidFrame, TooLong, BadChecksum, Echo, UnknownItem, OtherRow, Nak, NoDigit, Uncodable };

struct Case {
    Exchange faulted; // the exchange whose first frame gets `reply`; every other is answered well
    Reply reply;
    int16_t value;  // in its report
    int16_t stored; // the row its report says took the value
    std::vector<Result> reports; // of the outcome, in order
    OutcomeStatus status;
    bool wakesNext; // the wake-up precedes the next row frame after its report
};

constexpr int16_t kRow = 4;
constexpr int16_t kWritten = 2;
constexpr int16_t kReadValue = 3;
constexpr char kDigit = '5'; // GoodReply's call number
constexpr auto Done = OutcomeStatus::Done;
constexpr auto Failed = OutcomeStatus::Failed;

// A read's wake window (80 ticks) runs out during any 120-tick time-out; a
// write's and a call's (200) only when no start byte came. A row is asked
// again until it is served; the call is not.
const Case kCases[] = {
    {Exchange::ReadRow, Reply::Good, kReadValue, kRow, {Result::Done}, Done, false},
    {Exchange::ReadRow, Reply::Nothing, -1, -1, {Result::NoStartByte, Result::Done}, Done, true},
    {Exchange::ReadRow, Reply::StartByteOnly, -1, -1, {Result::NoLengthByte, Result::Done}, Done, true},
    {Exchange::ReadRow, Reply::StopsMidFrame, -1, -1, {Result::NoLengthByte, Result::Done}, Done, true},
    {Exchange::ReadRow, Reply::TooLong, -1, -1, {Result::TooLong, Result::Done}, Done, false},
    {Exchange::ReadRow, Reply::BadChecksum, -1, -1, {Result::Checksum, Result::Done}, Done, false},
    {Exchange::ReadRow, Reply::Echo, -1, -1, {Result::NoRowOrValue, Result::Done}, Done, false},
    {Exchange::ReadRow, Reply::UnknownItem, -1, -1, {Result::NoRowOrValue, Result::Done}, Done, false},
    {Exchange::ReadRow, Reply::OtherRow, 2, 6, {Result::Done, Result::Done}, Done, false},
    {Exchange::ReadRow, Reply::Uncodable, -1, -1, {Result::NotCodable}, Failed, false},

    {Exchange::WriteRow, Reply::Good, kWritten, kRow, {Result::Done}, Done, false},
    {Exchange::WriteRow, Reply::Nothing, kWritten, -1, {Result::NoStartByte, Result::Done}, Done, true},
    {Exchange::WriteRow, Reply::StartByteOnly, kWritten, -1, {Result::NoLengthByte, Result::Done}, Done, false},
    {Exchange::WriteRow, Reply::StopsMidFrame, kWritten, -1, {Result::NoLengthByte, Result::Done}, Done, false},
    {Exchange::WriteRow, Reply::TooLong, kWritten, -1, {Result::TooLong, Result::Done}, Done, false},
    {Exchange::WriteRow, Reply::BadChecksum, kWritten, -1, {Result::Checksum, Result::Done}, Done, false},
    {Exchange::WriteRow, Reply::Uncodable, -1, -1, {Result::NotCodable}, Failed, false},

    // The call follows a call number that came, even one out of range.
    {Exchange::CallNumber, Reply::Good, kDigit - '0', -1, {Result::Done, Result::Done}, Done, false},
    {Exchange::CallNumber, Reply::NoDigit, 'x' - '0', -1, {Result::CallDigitOutOfRange, Result::Done}, Done, false},
    {Exchange::CallNumber, Reply::Nothing, -1, -1, {Result::NoStartByte}, Failed, true},
    {Exchange::CallNumber, Reply::StartByteOnly, -1, -1, {Result::NoLengthByte}, Failed, false},
    {Exchange::CallNumber, Reply::StopsMidFrame, -1, -1, {Result::NoLengthByte}, Failed, false},
    {Exchange::CallNumber, Reply::TooLong, -1, -1, {Result::TooLong}, Failed, false},
    {Exchange::CallNumber, Reply::BadChecksum, -1, -1, {Result::Checksum}, Failed, false},

    {Exchange::Call, Reply::Good, -1, -1, {Result::Done, Result::Done}, Done, false},
    {Exchange::Call, Reply::Nak, -1, -1, {Result::Done, Result::Refused}, Failed, false},
    {Exchange::Call, Reply::Nothing, -1, -1, {Result::Done, Result::NoStartByte}, Failed, true},
    {Exchange::Call, Reply::StartByteOnly, -1, -1, {Result::Done, Result::NoLengthByte}, Failed, false},
    {Exchange::Call, Reply::StopsMidFrame, -1, -1, {Result::Done, Result::NoLengthByte}, Failed, false},
    {Exchange::Call, Reply::TooLong, -1, -1, {Result::Done, Result::TooLong}, Failed, false},
    {Exchange::Call, Reply::BadChecksum, -1, -1, {Result::Done, Result::Checksum}, Failed, false},
};

bool IsRow(Exchange exchange)
{
    return exchange == Exchange::ReadRow || exchange == Exchange::WriteRow;
}

Exchange ExchangeOf(const QByteArray& frame)
{
    switch (frame[5]) {
    case 'w': return Exchange::ReadRow;
    case 'W': return Exchange::WriteRow;
    case '2': return Exchange::CallNumber;
    }
    return Exchange::Call;
}

QByteArray GoodReply(const QByteArray& frame)
{
    return pbtest::GoodReply(frame, kReadValue);
}

QByteArray ReplyBytes(Reply reply, const QByteArray& frame)
{
    QByteArray good = GoodReply(frame);
    switch (reply) {
    case Reply::Good:
    case Reply::Uncodable: return good;
    case Reply::StartByteOnly: return Hex("01");
    case Reply::StopsMidFrame: return good.left(5);
    case Reply::TooLong: return Hex("01 FF") + QByteArray(100, '\0');
    case Reply::BadChecksum: good[good.size() - 1] = char(good.back() ^ 0x40); return good;
    case Reply::Echo: return frame; // a line that hands back what is sent
    case Reply::UnknownItem: return pbtest::ReadReply(40, 2);
    case Reply::OtherRow: return pbtest::ReadReply(6, 2);
    case Reply::Nak: return pbtest::CallReply(0x15);
    case Reply::NoDigit: return pbtest::CallNumberReply('x');
    case Reply::Nothing: break;
    }
    return {};
}

TEST(EngineConformance, EachExchangeAndReplyEndsTheRequestAsItShould)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << "exchange " << int(c.faulted) << " reply " << int(c.reply));
        pbtest::EngineRig rig;
        bool faultSent = false;
        rig.line.answer = [&](const QByteArray& frame) {
            const bool faulted = !faultSent && ExchangeOf(frame) == c.faulted;
            faultSent = faultSent || faulted;
            return faulted ? ReplyBytes(c.reply, frame) : GoodReply(frame);
        };
        if (c.reply == Reply::Uncodable && c.faulted == Exchange::ReadRow)
            rig.unitType = 0; // no row has an item
        int wakeFrom = -1; // of line.sent, at the report under test
        const auto record = rig.engine.onReport;
        rig.engine.onReport = [&](const pb::ExchangeReport& report) {
            if (report.exchange == c.faulted && wakeFrom < 0) {
                wakeFrom = int(rig.line.sent.size());
                EXPECT_EQ(report.row, IsRow(c.faulted) ? kRow : -1);
                EXPECT_EQ(report.storedRow, c.stored);
                EXPECT_EQ(report.value, c.value);
            }
            record(report);
        };

        rig.start(IsRow(c.faulted) ? pb::ServingMode::Rows : pb::ServingMode::Call);
        const int16_t written = c.reply == Reply::Uncodable ? int16_t(-1) : kWritten; // no value to send
        const pb::RequestId id = rig.engine.request(
            c.faulted == Exchange::ReadRow    ? pb::UnitRequest::ReadRow(kRow)
            : c.faulted == Exchange::WriteRow ? pb::UnitRequest::WriteRow(kRow, written)
                                              : pb::UnitRequest::TestCall([] { return pb::CallFields{"1234", {}, -1}; }));
        ASSERT_GT(rig.tickUntilEnded(id, 400), 0);
        ASSERT_EQ(rig.outcomes.size(), 1u);
        const pb::RequestOutcome outcome = rig.outcomes[0];
        EXPECT_EQ(outcome.id, id);
        EXPECT_EQ(outcome.status, c.status);
        std::vector<Result> results;
        for (const pb::ExchangeReport& report : outcome.reports)
            results.push_back(report.result);
        EXPECT_EQ(results, c.reports);
        EXPECT_EQ(rig.reports.size(), outcome.reports.size()) << "every report goes with the request";
        if (c.reply == Reply::Uncodable) {
            EXPECT_EQ(rig.line.sent, Hex("01 01 80 7F")) << "only the wake-up goes out";
        }

        rig.unitType = 3;
        rig.mode = pb::ServingMode::Rows;
        ASSERT_GT(rig.tickUntilEnded(rig.engine.request(pb::UnitRequest::ReadRow(5)), 400), 0);
        ASSERT_GE(wakeFrom, 0);
        EXPECT_EQ(rig.line.sent.mid(wakeFrom).startsWith(Hex("01 01 80 7F")), c.wakesNext)
            << rig.line.sent.mid(wakeFrom).left(12).toHex(' ').constData();
    }
}

// The unit type decodes the value; one that no option names reads as none.
TEST(EngineConformance, ReadValuesAreDecodedForTheUnitType)
{
    for (const auto& [sent, decoded] : {std::pair{96, 3}, std::pair{97, -1}}) {
        pbtest::EngineRig rig;
        rig.unitType = 1;
        rig.line.answer = [sent = sent](const QByteArray&) { return pbtest::ReadReply(13, sent); };
        rig.start(pb::ServingMode::Rows);
        ASSERT_GT(rig.tickUntilEnded(rig.engine.request(pb::UnitRequest::ReadRow(13)), 100), 0);
        EXPECT_EQ(rig.outcomes[0].status, Done);
        ASSERT_EQ(rig.reports.size(), 1u);
        EXPECT_EQ(rig.reports[0].value, decoded);
        EXPECT_EQ(rig.reports[0].unitValue, sent);
    }
}

} // namespace
