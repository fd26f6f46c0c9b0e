#include "EngineFixture.h"
#include "link/UnitOperations.h"

namespace {

using pbtest::ReadReply;
using State = pb::ProtocolEngine::State;

class UnitOperationsTest : public pbtest::EngineTest {
protected:
    pb::UnitOperations ops{state.rows, engine.Requests(), grid.grid, state.Tekst, view};
};

TEST_F(UnitOperationsTest, SingleReadAndWriteLeaveARowRequest)
{
    grid.combo(7)->setCurrentIndex(3);
    ops.ReadSingleSetting(4);
    ops.WriteSingleSetting(7);
    EXPECT_EQ(requests().of(4), pb::ReadRequest);
    EXPECT_EQ(requests().of(7), pb::WriteRequest);
    EXPECT_EQ(state.rows.UnitSettings[7], 3) << "the value shown is the one sent";

    grid.row(8, 4, false);
    state.rows.UnitSettings[8] = 2;
    ops.WriteSingleSetting(8);
    EXPECT_EQ(state.rows.UnitSettings[8], 0);
}

TEST_F(UnitOperationsTest, ReadAllAndTestCallSetTheirFlags)
{
    ops.ReadAll();
    EXPECT_TRUE(requests().readAllPending());

    view.address.clear();
    EXPECT_FALSE(ops.TestCall());
    EXPECT_FALSE(requests().testCallPending());
    view.address = "1234";
    EXPECT_TRUE(ops.TestCall());
    EXPECT_TRUE(requests().testCallPending());
}

TEST_F(UnitOperationsTest, WriteAllAsksFirstThenTakesTheGridAndClearsTheProgress)
{
    EXPECT_EQ(ops.WriteAllQuestion(), "Write all settings to Unit!\r\nAre you sure?");

    grid.combo(0)->setCurrentIndex(2);
    grid.row(1, 4, false);
    state.rows.UnitSettings[1] = 3;
    view.progress = "earlier lines\r\n";
    ops.WriteAll();
    EXPECT_EQ(state.rows.UnitSettings[0], 2);
    EXPECT_EQ(state.rows.UnitSettings[1], 3);
    EXPECT_TRUE(view.progress.isEmpty());
    EXPECT_TRUE(requests().writeAllPending());
}

TEST_F(UnitOperationsTest, CancelDropsGridRowsAndSaysSoEachTime)
{
    for (int r = 0; r <= 30; ++r)
        requests().read(r);
    requests().readAll();
    ops.Cancel();
    EXPECT_FALSE(requests().anyRowPending());
    EXPECT_TRUE(requests().readAllPending()) << "the operation flags are the engine's";
    EXPECT_TRUE(view.caretMoved);
    ops.Cancel();
    EXPECT_EQ(view.progress, "\r\nCancelled!\r\n\r\nCancelled!\r\n");

    ops.ClearProgress();
    EXPECT_TRUE(view.progress.isEmpty());
}

TEST_F(UnitOperationsTest, CancelDuringReadAllStillStoresTheExchangeUnderWay)
{
    ops.ReadAll();
    start(pb::UnitTab);
    ASSERT_GT(tickUntil(State::ReadReplyStart), 0);
    ASSERT_EQ(engine.CurrentRow(), 0);
    ops.Cancel();
    line.Arrive(ReadReply(0, 2));
    ASSERT_GT(tickUntil(State::Ready), 0);
    EXPECT_EQ(state.rows.SettingsInUnit[0], 2);
    tick(50);
    EXPECT_EQ(line.sent.count(char(0x77)), 1) << "no further row is read";
    EXPECT_TRUE(view.progress.endsWith("\r\nCancelled!\r\n ->  [Item: 0 Value: 2]  0/2 OK. \r\n"))
        << qPrintable(view.progress);
}

TEST_F(UnitOperationsTest, ARequestMadeOnTheSettingsTabWaitsOutTheFileTab)
{
    start(pb::SettingsTab);
    view.tab = pb::FileTab;
    ops.ReadSingleSetting(4);
    tick(30);
    EXPECT_TRUE(line.sent.isEmpty());
    view.tab = pb::SettingsTab;
    EXPECT_GT(tickUntil(State::ReadReplyStart), 0);
    EXPECT_TRUE(line.sent.endsWith(pbtest::ReadRequestFrame(4)));
}

} // namespace
