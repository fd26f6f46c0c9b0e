// The test call when the unit takes it: the frames, when it goes out, how
// clicks add up.
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

TEST_F(EngineCallTest, ACallDigitOutOfRangeGoesIntoTheCallAsItCame)
{
    answer('x', pb::kACK);
    start(pb::ServiceTab);
    tick(6);
    ASSERT_EQ(engine.EngineState(), State::CallReplyStart);
    EXPECT_TRUE(line.sent.mid(7).contains(QByteArray("A\x1F" "72\x1E")));
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
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().exchange, pb::Exchange::Call);
    EXPECT_EQ(reports.back().result, pb::ExchangeResult::Done);
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
