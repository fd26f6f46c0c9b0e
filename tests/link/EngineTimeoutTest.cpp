// How long the engine waits for each part of a reply, how much of the line
// a reply takes, and when a failed row is tried again. What each failure
// reports is in EngineConformanceTest.
#include "EngineFixture.h"

namespace {

using pbtest::Hex;
using pbtest::ReadReply;
using State = pb::ProtocolEngine::State;

class EngineTimeoutTest : public pbtest::EngineTest {
protected:
    void SetUp() override
    {
        state.rows.UnitSettings[4] = 2;
        start(pb::SettingsTab);
    }

    // Asks for a read or write of row 4, alone, and ticks until it is sent.
    void request(pb::RowRequestCode code)
    {
        requests().cancelRows();
        if (code == pb::ReadRequest)
            requests().read(4);
        else
            requests().write(4);
        ASSERT_GT(tickUntil(code == pb::ReadRequest ? State::ReadReplyStart : State::WriteReplyStart), 0);
    }
};

// Each phase waits 120 ticks from the byte before it: the start byte from
// the request, the length byte from the start byte, the rest from the
// length byte.
TEST_F(EngineTimeoutTest, EachPhaseOfTheReplyWaits120Ticks)
{
    struct Phase {
        QByteArray arrives; // 30 ticks after the request
        int ticksToPhase;   // after the bytes arrived
        State phase;
    };
    const Phase phases[] = {
        {{}, 0, State::ReadReplyStart},
        {Hex("01"), 1, State::ReadReplyLength},
        {ReadReply(4, 3).left(8), 2, State::ReadReplyData},
    };
    for (const Phase& p : phases) {
        SCOPED_TRACE(int(p.phase));
        reports.clear();
        ASSERT_NO_FATAL_FAILURE(request(pb::ReadRequest));
        if (!p.arrives.isEmpty()) {
            tick(30);
            line.Arrive(p.arrives);
        }
        tick(p.ticksToPhase);
        ASSERT_EQ(engine.EngineState(), p.phase);
        tick(pb::kReplyTicks - 1);
        EXPECT_EQ(engine.EngineState(), p.phase);
        tick();
        EXPECT_EQ(engine.EngineState(), State::Ready);
        EXPECT_EQ(reports.size(), 1u);
    }
}

TEST_F(EngineTimeoutTest, NoiseCountsAgainstTheStartTime)
{
    request(pb::ReadRequest);
    line.Arrive(QByteArray(300, '\x55'));
    tick(pb::kReplyTicks);
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(line.waiting.size(), 300u - pb::kReplyTicks) << "one byte examined per tick";
}

TEST_F(EngineTimeoutTest, TricklingBytesDoNotExtendTheDataTime)
{
    request(pb::ReadRequest);
    const QByteArray reply = ReadReply(4, 3);
    line.Arrive(reply.left(2));
    tick(2);
    ASSERT_EQ(engine.EngineState(), State::ReadReplyData);
    for (int i = 2; i < 6; ++i)
        line.ArriveAfter(25 * (i - 1), reply.mid(i, 1));
    tick(pb::kReplyTicks);
    EXPECT_EQ(engine.EngineState(), State::Ready);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].result, pb::ExchangeResult::NoLengthByte);
}

TEST_F(EngineTimeoutTest, ARestArrivingInTimeCompletesTheFrame)
{
    request(pb::ReadRequest);
    const QByteArray reply = ReadReply(4, 3);
    line.Arrive(reply.left(6));
    tick(3);
    line.ArriveAfter(100, reply.mid(6));
    ASSERT_EQ(tickUntil(State::ReadReplyStored, 150), 100);
    tick();
    EXPECT_EQ(state.rows.SettingsInUnit[4], 3);
}

// A reply ends at its checksum or, too long, at the 99th byte; what follows
// stays in the port.
TEST_F(EngineTimeoutTest, AReplyTakesTheLineUpToItsEndOrTheLongestFrame)
{
    request(pb::ReadRequest);
    line.Arrive(ReadReply(4, 3) + Hex("41"));
    tick(3);
    EXPECT_EQ(engine.EngineState(), State::ReadReplyStored);
    ASSERT_EQ(line.waiting.size(), 1u);
    EXPECT_EQ(line.waiting.front(), 0x41);

    line.waiting.clear();
    tick(); // stored
    ASSERT_NO_FATAL_FAILURE(request(pb::ReadRequest));
    line.Arrive(Hex("01 78") + QByteArray(110, '\x20'));
    tick(3);
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(line.waiting.size(), 112u - 99u);
}

// 120 ticks of waiting, the wake-up sequence and its 10 ticks, two to pick
// and send; a write's long wake window does not spare the wake-up, since a
// unit that never answered may be asleep.
TEST_F(EngineTimeoutTest, OnTheSettingsTabAnUnansweredRowIsWokenAndAskedAgainEvery132Ticks)
{
    for (pb::RowRequestCode code : {pb::ReadRequest, pb::WriteRequest}) {
        SCOPED_TRACE(int(code));
        ASSERT_GT(tickUntil(State::Ready), 0);
        ASSERT_NO_FATAL_FAILURE(request(code));
        const State sent = code == pb::ReadRequest ? State::ReadReplyStart : State::WriteReplyStart;
        for (int attempt = 1; attempt <= 3; ++attempt) {
            line.sent.clear();
            const int failed = tickUntil(State::Ready);
            EXPECT_EQ(failed + tickUntil(sent), 132) << attempt;
            EXPECT_TRUE(line.sent.startsWith(Hex("01 01 80 7F"))) << attempt;
        }
        EXPECT_FALSE(view.progress.contains("Cancelled"));
    }
}

} // namespace
