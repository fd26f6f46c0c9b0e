#include "EngineFixture.h"

namespace {

using pbtest::CallNumberReply;
using pbtest::CallReply;
using pbtest::Framed;
using pbtest::Hex;
using State = pb::ProtocolEngine::State;

class EngineCallTest : public pbtest::EngineTest {
protected:
    EngineCallTest()
    {
        view.address = "1234";
        requests().testCall();
    }
    // Answers the call-number request with `position7` and the call with
    // `position4`.
    void answer(int position7, int position4)
    {
        line.answer = [=](const QByteArray& frame) {
            return frame[5] == '2' ? CallNumberReply(position7) : CallReply(position4);
        };
    }
    QString lastLog() const { return logged().isEmpty() ? QString() : logged().last(); }
};

TEST_F(EngineCallTest, CallDigitFromTheUnitGoesIntoTheCallRecord)
{
    answer(0x35, pb::kACK);
    start(pb::ServiceTab);
    tick();
    EXPECT_EQ(engine.EngineState(), State::SendCallNumberRequest);
    EXPECT_FALSE(requests().testCallPending());
    tick();
    EXPECT_EQ(engine.EngineState(), State::CallNumberReplyStart);
    EXPECT_EQ(line.sent, Hex("01 06 01 00 02 32 C4")) << "no wake-up before a call";
    EXPECT_EQ(engine.WakeWindow(), pb::kAwakeAfterWrite);
    tick(3);
    EXPECT_EQ(engine.EngineState(), State::SendPagerCall);
    EXPECT_EQ(engine.CallDigit(), 5);
    tick();
    EXPECT_EQ(engine.EngineState(), State::CallReplyStart);
    EXPECT_EQ(line.sent.mid(7), Framed(Hex("01 17 01 00 02") + QByteArray("A\x1F" "5\x1E" "1\x1F" "1234\x1E" "3\x1F" "FFFF\x1E")));
    tick(3);
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(lastLog(), "STATUS: Call Pager via Pagerbench succeeded.");
    EXPECT_TRUE(view.progress.isEmpty()) << "calls report in the log only";
    EXPECT_EQ(engine.ErrorCount(), 0);
}

TEST_F(EngineCallTest, AnythingButAckAtPosition4IsARefusal)
{
    answer(0x35, 0x15);
    start(pb::ServiceTab);
    tick(9);
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(lastLog(), "ERROR: Call Pager via Pagerbench not succeeded.");
}

TEST_F(EngineCallTest, MessageAndBleepCodeAreSentWhenGiven)
{
    view.address = "0123456789AB";
    view.message = "Hello";
    view.bleepCode = 12;
    answer(0x30, pb::kACK);
    start(pb::ServiceTab);
    tick(6);
    ASSERT_EQ(engine.EngineState(), State::CallReplyStart);
    const QByteArray record("A\x1F" "0\x1E" "1\x1F" "0123456789\x1E" "2\x1F" "Hello\x1E" "3\x1F" "C\x1E");
    EXPECT_EQ(line.sent.mid(7), Framed(char(1) + QByteArray(1, char(5 + record.size())) + Hex("01 00 02") + record));
}

TEST_F(EngineCallTest, ACallDigitOutOfRangeCountsAsAFailureButTheCallGoesAhead)
{
    answer('x', pb::kACK);
    start(pb::ServiceTab);
    tick(6);
    ASSERT_EQ(engine.EngineState(), State::CallReplyStart);
    EXPECT_EQ(engine.ErrorCount(), 1);
    EXPECT_TRUE(line.sent.mid(7).contains(QByteArray("A\x1F" "72\x1E")));
}

TEST_F(EngineCallTest, NoCallNumberReplyEndsTheCallWithALogLine)
{
    start(pb::ServiceTab);
    tick(2);
    tick(pb::kReplyTicks);
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(lastLog(), "ERROR: Time-out sent call to Pager via Pagerbench. (SOH req BufPos)");
    EXPECT_EQ(engine.ErrorCount(), 1);
    EXPECT_EQ(line.sent, Hex("01 06 01 00 02 32 C4"));
}

TEST_F(EngineCallTest, CallNumberReplyFaults)
{
    start(pb::ServiceTab);
    tick(2);
    line.Arrive(Hex("01"));
    tick(1 + pb::kReplyTicks);
    EXPECT_EQ(lastLog(), "ERROR: Time-out sent call to Pager via Pagerbench. (Len BufPos)");

    requests().testCall();
    tick(2);
    line.Arrive(Hex("01 06 01 00 02 32 00"));
    tick(3);
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(lastLog(), "ERROR: ChecksumError sending Paging Call via Pagerbench. (CheckSumn req BufPos)");

    requests().testCall();
    tick(2);
    line.Arrive(Hex("01 FF") + QByteArray(100, '\0'));
    tick(3);
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(lastLog(), "ERROR: Call Pager via Pagerbench not succeeded.") << "a reply too long fails the call";
    EXPECT_EQ(engine.ErrorCount(), 0);
}

TEST_F(EngineCallTest, CallReplyFaults)
{
    line.answer = [](const QByteArray& frame) { return frame[5] == '2' ? CallNumberReply(0x31) : QByteArray(); };
    start(pb::ServiceTab);
    tick(6);
    ASSERT_EQ(engine.EngineState(), State::CallReplyStart);
    tick(pb::kReplyTicks);
    EXPECT_EQ(lastLog(), "ERROR: Time-out sent call to Pager via Pagerbench. (SOH snd call)");
    EXPECT_EQ(engine.ErrorCount(), 1);

    line.answer = [](const QByteArray& frame) {
        return frame[5] == '2' ? CallNumberReply(0x31) : Hex("01 05 01 00 06 01");
    };
    requests().testCall();
    tick(9);
    EXPECT_EQ(lastLog(), "ERROR: Time-out sent call to Pager via Pagerbench. (Data send Call)");

    line.answer = [](const QByteArray& frame) {
        return frame[5] == '2' ? CallNumberReply(0x31) : Hex("01 05 01");
    };
    requests().testCall();
    tick(8 + pb::kReplyTicks);
    EXPECT_EQ(lastLog(), "ERROR: Time-out sent call to Pager via Pagerbench. (Len send Call)");
    EXPECT_EQ(engine.ErrorCount(), 1);

    line.answer = [](const QByteArray& frame) {
        return frame[5] == '2' ? CallNumberReply(0x31) : Hex("01 FF") + QByteArray(100, '\0');
    };
    requests().testCall();
    tick(12);
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(lastLog(), "ERROR: Call Pager via Pagerbench not succeeded.");
    EXPECT_EQ(engine.ErrorCount(), 1);
}

TEST_F(EngineCallTest, ACallWaitsForTheServiceTab)
{
    answer(0x35, pb::kACK);
    start(pb::SettingsTab);
    tick(40);
    EXPECT_TRUE(line.sent.isEmpty());
    EXPECT_TRUE(requests().testCallPending());
    view.tab = pb::ServiceTab;
    tick(9);
    EXPECT_EQ(lastLog(), "STATUS: Call Pager via Pagerbench succeeded.");
}

TEST_F(EngineCallTest, AClickDuringACallLeadsToOneMoreCall)
{
    answer(0x35, pb::kACK);
    start(pb::ServiceTab);
    tick(3);
    requests().testCall();
    requests().testCall();
    tick(6 + 9 + 20);
    EXPECT_EQ(line.sent.count(Hex("01 06 01 00 02 32 C4")), 2);
}

} // namespace
