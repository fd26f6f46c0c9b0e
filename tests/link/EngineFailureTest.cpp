#include "EngineFixture.h"

namespace {

using pbtest::Hex;
using pbtest::ReadReply;
using State = pb::ProtocolEngine::State;

class EngineFailureTest : public pbtest::EngineTest {
protected:
    // Shows row 4 at position 2 and ticks until its read or write is sent.
    void request(pb::RowRequestCode code)
    {
        grid.combo(4)->setCurrentIndex(2);
        state.rows.UnitSettings[4] = 2;
        start(pb::SettingsTab);
        if (code == pb::ReadRequest)
            requests().read(4);
        else
            requests().write(4);
        ASSERT_GT(tickUntil(code == pb::ReadRequest ? State::ReadReplyStart : State::WriteReplyStart), 0);
        view.progress.clear();
    }
    QString lastLog() const { return logged().isEmpty() ? QString() : logged().last(); }
};

TEST_F(EngineFailureTest, NoStartByteTimesOutAfter120Ticks)
{
    request(pb::ReadRequest);
    tick(pb::kReplyTicks - 1);
    EXPECT_EQ(engine.EngineState(), State::ReadReplyStart);
    tick();
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(view.progress, "[4/2: 4 Value: 2] ERROR: Time-out [SOH]. \r\n");
    EXPECT_EQ(lastLog(), "ERROR Reading of: [4/2: 4 Value: 2] ERROR: Time-out [SOH]. ");
    EXPECT_EQ(engine.ErrorCount(), 1);
    EXPECT_EQ(requests().of(4), pb::ReadRequest) << "left pending for another try";
}

TEST_F(EngineFailureTest, NoiseCountsAgainstTheStartTime)
{
    request(pb::ReadRequest);
    line.Arrive(QByteArray(300, '\x55'));
    tick(pb::kReplyTicks);
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(line.waiting.size(), 300u - pb::kReplyTicks) << "one byte examined per tick";
    EXPECT_EQ(engine.ErrorCount(), 1);
}

TEST_F(EngineFailureTest, NoLengthByteTimesOut120TicksAfterTheStartByte)
{
    request(pb::ReadRequest);
    tick(30);
    line.Arrive(Hex("01"));
    tick();
    ASSERT_EQ(engine.EngineState(), State::ReadReplyLength);
    tick(pb::kReplyTicks - 1);
    EXPECT_EQ(engine.EngineState(), State::ReadReplyLength);
    tick();
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(view.progress, "[4/2: 4 Value: 2] ERROR: Time-out [LEN]. \r\n");
    EXPECT_EQ(engine.ErrorCount(), 1);
}

TEST_F(EngineFailureTest, AReplyThatStopsInMidFrameIsGivenUpAsAMissingLength)
{
    request(pb::ReadRequest);
    line.Arrive(ReadReply(4, 3).left(8));
    tick(2); // start and length byte
    tick();
    ASSERT_EQ(engine.EngineState(), State::ReadReplyData);
    EXPECT_TRUE(line.waiting.empty());
    tick(pb::kReplyTicks - 2);
    EXPECT_EQ(engine.EngineState(), State::ReadReplyData);
    tick();
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(view.progress, "[4/2: 4 Value: 2] ERROR: Time-out [LEN]. \r\n");
    EXPECT_EQ(engine.ErrorCount(), 1);
    EXPECT_EQ(requests().of(4), pb::ReadRequest);
}

TEST_F(EngineFailureTest, TricklingBytesDoNotExtendTheDataTime)
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
    EXPECT_TRUE(view.progress.contains("[LEN]"));
}

TEST_F(EngineFailureTest, ARestArrivingInTimeCompletesTheFrame)
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

TEST_F(EngineFailureTest, WrongChecksumEndsTheRead)
{
    request(pb::ReadRequest);
    QByteArray reply = ReadReply(4, 3);
    reply[13] = char(reply[13] ^ 0x40);
    line.Arrive(reply);
    tick(3);
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(view.progress, "[4/2: 4 Value: 2] ERROR [checksum]. \r\n");
    EXPECT_EQ(lastLog(), "ERROR Reading of: [4/2: 4 Value: 2] ERROR [checksum]. ");
    EXPECT_EQ(engine.ErrorCount(), 1);
    EXPECT_EQ(state.rows.SettingsInUnit[4], -1);
}

TEST_F(EngineFailureTest, Len120ReplyFailsAtThe99thByteAndTheRestWaits)
{
    request(pb::ReadRequest);
    line.Arrive(Hex("01 78") + QByteArray(110, '\x20'));
    tick(3);
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(line.waiting.size(), 112u - 99u);
    EXPECT_EQ(view.progress, "[4/2: 4 Value: 2]  ERROR Len > Max. \r\n");
    EXPECT_EQ(engine.ErrorCount(), 0) << "a long reply is not counted";
}

TEST_F(EngineFailureTest, Len13ReplyEndsAtItsChecksumAndLeavesTheNextByteWaiting)
{
    request(pb::ReadRequest);
    line.Arrive(ReadReply(4, 3) + Hex("41"));
    tick(3);
    EXPECT_EQ(engine.EngineState(), State::ReadReplyStored);
    ASSERT_EQ(line.waiting.size(), 1u);
    EXPECT_EQ(line.waiting.front(), 0x41);
}

TEST_F(EngineFailureTest, OnTheSettingsTabAFailingReadIsRetriedEvery132Ticks)
{
    request(pb::ReadRequest);
    for (int attempt = 1; attempt <= 3; ++attempt) {
        line.sent.clear();
        const int failed = tickUntil(State::Ready);
        EXPECT_EQ(failed + tickUntil(State::ReadReplyStart), 132) << attempt;
        EXPECT_EQ(line.sent, Hex("01 01 80 7F") + pbtest::ReadRequestFrame(4));
    }
    EXPECT_EQ(engine.ErrorCount(), 3);
    EXPECT_FALSE(view.progress.contains("Cancelled"));
}

// A write keeps the unit awake longer than the time-out lasts; a unit that
// never answered may be asleep all the same, so every retry wakes it first.
TEST_F(EngineFailureTest, AWriteUnansweredIsRetriedAfterAWakeUp)
{
    request(pb::WriteRequest);
    for (int attempt = 1; attempt <= 3; ++attempt) {
        line.sent.clear();
        const int failed = tickUntil(State::Ready);
        EXPECT_EQ(engine.WakeWindow(), 0) << attempt;
        EXPECT_EQ(failed + tickUntil(State::WriteReplyStart), 132) << attempt;
        EXPECT_TRUE(line.sent.startsWith(Hex("01 01 80 7F"))) << attempt;
    }

    // A unit that answers, even wrongly, is awake: no wake-up before the retry.
    line.Arrive(Hex("01 05 01 00 00 00"));
    tick(3);
    ASSERT_EQ(engine.EngineState(), State::Ready);
    EXPECT_GT(engine.WakeWindow(), 0);
}

TEST_F(EngineFailureTest, WriteFailuresGoToTheProgressTextOnly)
{
    request(pb::WriteRequest);
    const int logLines = state.log.LogLineCount;
    tick(pb::kReplyTicks);
    EXPECT_EQ(view.progress, " -> ERROR: Time-out[SOH].\r\n");
    EXPECT_EQ(engine.ErrorCount(), 1);

    ASSERT_GT(tickUntil(State::WriteReplyStart), 0);
    view.progress.clear();
    line.Arrive(Hex("01"));
    tick(1 + pb::kReplyTicks);
    EXPECT_EQ(view.progress, " -> ERROR: Time-out[LEN].\r\n");
    EXPECT_EQ(engine.ErrorCount(), 2);

    ASSERT_GT(tickUntil(State::WriteReplyStart), 0);
    view.progress.clear();
    line.Arrive(Hex("01 05 01 00 06 00"));
    tick(3);
    EXPECT_EQ(view.progress, " -> ERROR checksum.\r\n");
    EXPECT_EQ(engine.ErrorCount(), 3);

    ASSERT_GT(tickUntil(State::WriteReplyStart), 0);
    view.progress.clear();
    line.Arrive(Hex("01 FF") + QByteArray(100, '\0'));
    tick(3);
    EXPECT_EQ(view.progress, " -> ERROR > InfoMaxLen.\r\n");
    EXPECT_EQ(engine.ErrorCount(), 3);

    EXPECT_EQ(state.log.LogLineCount, logLines + 3) << "only the three start lines";
    EXPECT_EQ(requests().of(4), pb::WriteRequest);
}

TEST_F(EngineFailureTest, AWriteStoppingInMidFrameIsAMissingLength)
{
    request(pb::WriteRequest);
    line.Arrive(Hex("01 05 01"));
    tick(2 + pb::kReplyTicks);
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(view.progress, " -> ERROR: Time-out[LEN].\r\n");
    EXPECT_EQ(engine.ErrorCount(), 1);
}

} // namespace
