// Reads and writes of a row that the unit answers: when it is woken, the
// bytes on the wire, what is stored where.
#include "EngineFixture.h"

namespace {

using pbtest::EngineTest;
using pbtest::Hex;
using pbtest::ReadReply;
using pbtest::ReadRequestFrame;
using EngineReadTest = EngineTest;
using State = pb::ProtocolEngine::State;

TEST_F(EngineReadTest, ReadOfRow4WakesTheUnitThenStoresTheReply)
{
    grid.combo(4)->setCurrentIndex(2);
    start(pb::SettingsTab);
    requests().read(4);

    tick(); // 1
    EXPECT_EQ(engine.EngineState(), State::ServeSettingsTab);
    EXPECT_TRUE(line.sent.isEmpty());

    tick(); // 2
    EXPECT_EQ(engine.EngineState(), State::SendRead);
    EXPECT_EQ(line.sent, Hex("01 01 80 7F"));
    EXPECT_EQ(engine.CurrentRow(), 4);

    tick(9); // the wake-up delay
    EXPECT_EQ(engine.EngineState(), State::SendRead);
    EXPECT_EQ(line.sent.size(), 4);
    EXPECT_TRUE(view.progress.isEmpty());

    tick(); // 12
    EXPECT_EQ(engine.EngineState(), State::ReadReplyStart);
    EXPECT_EQ(line.sent.mid(4), Hex("01 09 01 00 02 77 1F 04 1E 3B"));
    EXPECT_TRUE(view.caretMoved) << "the start line shows as the request goes out";
    EXPECT_EQ(engine.WakeWindow(), pb::kAwakeAfterRead);

    line.Arrive(ReadReply(4, 3));
    tick();
    EXPECT_EQ(engine.EngineState(), State::ReadReplyLength);
    tick();
    EXPECT_EQ(engine.EngineState(), State::ReadReplyData);
    tick();
    EXPECT_EQ(engine.EngineState(), State::ReadReplyStored);
    EXPECT_EQ(requests().of(4), pb::ReadRequest) << "stored only on the next tick";

    tick();
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(requests().of(4), pb::NoRequest);
    EXPECT_EQ(state.rows.UnitSettings[4], 3);
    EXPECT_EQ(state.rows.SettingsInUnit[4], 3);
    EXPECT_EQ(grid.combo(4)->currentIndex(), 3);
}

TEST_F(EngineReadTest, ASecondReadWithin80TicksNeedsNoWakeUp)
{
    start(pb::SettingsTab);
    requests().read(4);
    ASSERT_GT(tickUntil(State::ReadReplyStart), 0);
    line.Arrive(ReadReply(4, 1));
    ASSERT_GT(tickUntil(State::Ready), 0);

    line.sent.clear();
    requests().read(5);
    EXPECT_EQ(tickUntil(State::ReadReplyStart), 3) << "pick, no delay, send";
    EXPECT_EQ(line.sent, ReadRequestFrame(5));
}

TEST_F(EngineReadTest, AfterTheAwakeWindowTheUnitIsWokenAgain)
{
    start(pb::SettingsTab);
    requests().read(4);
    ASSERT_GT(tickUntil(State::ReadReplyStart), 0);
    line.Arrive(ReadReply(4, 1));
    ASSERT_GT(tickUntil(State::Ready), 0);
    view.tab = pb::FileTab;
    tick(pb::kAwakeAfterRead);
    ASSERT_EQ(engine.WakeWindow(), 0);

    view.tab = pb::SettingsTab;
    line.sent.clear();
    requests().read(5);
    ASSERT_GT(tickUntil(State::ReadReplyStart), 0);
    EXPECT_EQ(line.sent, Hex("01 01 80 7F") + ReadRequestFrame(5));
}

TEST_F(EngineReadTest, TheReplysItemDecidesWhichRowIsStored)
{
    start(pb::SettingsTab);
    requests().read(4);
    ASSERT_GT(tickUntil(State::ReadReplyStart), 0);
    line.Arrive(ReadReply(6, 2));
    ASSERT_GT(tickUntil(State::Ready), 0);
    EXPECT_EQ(state.rows.UnitSettings[6], 2);
    EXPECT_EQ(state.rows.SettingsInUnit[6], 2);
    EXPECT_EQ(state.rows.SettingsInUnit[4], -1);
    EXPECT_EQ(requests().of(4), pb::ReadRequest) << "still pending, asked again";
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].row, 4);
    EXPECT_EQ(reports[0].storedRow, 6);
}

TEST_F(EngineReadTest, RepliesThatNameNoRowOrCarryNoValueStoreNothingAndCount)
{
    start(pb::SettingsTab);
    const QByteArray replies[] = {ReadReply(40, 2), pbtest::Framed(Hex("01 08 01 00 02 57 1F 04"))};
    for (const QByteArray& reply : replies) {
        requests().read(4);
        ASSERT_GT(tickUntil(State::ReadReplyStart), 0);
        line.Arrive(reply);
        ASSERT_GT(tickUntil(State::Ready), 0);
    }
    EXPECT_EQ(requests().of(4), pb::ReadRequest);
    EXPECT_EQ(state.rows.SettingsInUnit[4], -1);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1].result, pb::ExchangeResult::NoRowOrValue);
    EXPECT_EQ(engine.ErrorCount(), 2);
}

TEST_F(EngineReadTest, ValuesAreDecodedForTheUnitType)
{
    state.config.UnitType = 1;
    grid.row(13, 5);
    start(pb::SettingsTab);
    requests().read(13);
    ASSERT_GT(tickUntil(State::ReadReplyStart), 0);
    line.Arrive(ReadReply(13, 96));
    ASSERT_GT(tickUntil(State::Ready), 0);
    EXPECT_EQ(state.rows.UnitSettings[13], 3);
    EXPECT_EQ(grid.combo(13)->currentIndex(), 3);

    requests().read(13);
    ASSERT_GT(tickUntil(State::ReadReplyStart), 0);
    line.Arrive(ReadReply(13, 97)); // no such speed
    ASSERT_GT(tickUntil(State::Ready), 0);
    EXPECT_EQ(requests().of(13), pb::NoRequest);
    EXPECT_EQ(state.rows.UnitSettings[13], -1);
    EXPECT_EQ(state.rows.SettingsInUnit[13], -1);
    EXPECT_EQ(grid.combo(13)->currentIndex(), -1);
}

TEST_F(EngineReadTest, NoiseBeforeSohIsDroppedOneBytePerTick)
{
    start(pb::SettingsTab);
    requests().read(4);
    ASSERT_GT(tickUntil(State::ReadReplyStart), 0);
    line.Arrive(Hex("55 AA") + ReadReply(4, 1));
    tick();
    EXPECT_EQ(engine.EngineState(), State::ReadReplyStart);
    tick();
    EXPECT_EQ(engine.EngineState(), State::ReadReplyStart);
    tick();
    EXPECT_EQ(engine.EngineState(), State::ReadReplyLength);
    ASSERT_GT(tickUntil(State::Ready), 0);
    EXPECT_EQ(state.rows.SettingsInUnit[4], 1);
}

TEST_F(EngineReadTest, WriteSendsTheCodedValueAndConfirmsIt)
{
    grid.combo(2)->setCurrentIndex(1);
    state.rows.UnitSettings[2] = 1;
    start(pb::SettingsTab);
    requests().write(2);
    ASSERT_GT(tickUntil(State::WriteReplyStart), 0);
    EXPECT_EQ(line.sent.mid(4), pbtest::Framed(Hex("01 0D 01 00 02 57 1F 02 1E 77 1F 01 1E")));
    EXPECT_EQ(engine.WakeWindow(), pb::kAwakeAfterWrite);

    line.Arrive(pbtest::WriteReply());
    EXPECT_EQ(tickUntil(State::WriteConfirmed), 3);
    tick();
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(requests().of(2), pb::NoRequest);
    EXPECT_EQ(state.rows.SettingsInUnit[2], 1);
}

} // namespace
