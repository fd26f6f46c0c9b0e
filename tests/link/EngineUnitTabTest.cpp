#include "EngineFixture.h"

#include <vector>

namespace {

using pbtest::Hex;
using pbtest::ReadReply;
using State = pb::ProtocolEngine::State;

class EngineUnitTabTest : public pbtest::EngineTest {
protected:
    // Answers every read with value 1 and every write with a plain reply,
    // and notes the items asked for.
    void answerEverything()
    {
        line.answer = [this](const QByteArray& frame) {
            const int item = uint8_t(frame[7]);
            if (frame[5] == 'W') {
                written.push_back(item);
                return pbtest::WriteReply();
            }
            read.push_back(item);
            return ReadReply(item, 1);
        };
    }
    // Until the operation has started and every row it marked is served.
    void tickUntilNothingPending()
    {
        for (int i = 0; i < 5000; ++i) {
            tick();
            if (!requests().anyPending() && engine.EngineState() == State::Ready)
                return;
        }
        ADD_FAILURE() << "still busy";
    }

    std::vector<int> read;
    std::vector<int> written;
};

TEST_F(EngineUnitTabTest, ReadAllMarksTheVisibleRowsUpToTheTypesHighestRow)
{
    state.config.UnitType = 2; // highest row 20
    grid.row(3, 4, false);
    start(pb::UnitTab);
    failReads(2);
    requests().readAll();
    tick();
    ASSERT_EQ(engine.EngineState(), State::ServeUnitTab);
    tick();
    EXPECT_EQ(engine.EngineState(), State::ServeUnitTab);
    EXPECT_FALSE(requests().readAllPending());
    EXPECT_EQ(engine.ErrorCount(), 0);
    for (int r = 0; r < pb::kGridRows; ++r) {
        const bool marked = r <= 20 && r != 3;
        EXPECT_EQ(requests().of(r), marked ? pb::ReadRequest : pb::NoRequest) << r;
    }
}

TEST_F(EngineUnitTabTest, WriteAllTakesTheGridAgainAndWritesVisibleRowsInOrder)
{
    for (int r = 0; r < pb::kGridRows; ++r)
        grid.combo(r)->setCurrentIndex(2);
    grid.row(3, 4, false);
    grid.row(5, 4, false);
    grid.row(7, 4, false);
    state.rows.UnitSettings[3] = 1;
    answerEverything();
    requests().writeAll();
    start(pb::UnitTab);
    tickUntilNothingPending();

    std::vector<int> expected{0, 1, 2, 4, 6};
    for (int r = 8; r <= 25; ++r)
        expected.push_back(r);
    EXPECT_EQ(written, expected);
    EXPECT_TRUE(read.empty());
    EXPECT_FALSE(requests().writeAllPending());
    EXPECT_EQ(state.rows.UnitSettings[25], 2);
    EXPECT_EQ(state.rows.SettingsInUnit[25], 2);
    EXPECT_EQ(state.rows.UnitSettings[3], 1) << "hidden rows keep their value";
    EXPECT_EQ(state.rows.SettingsInUnit[3], -1);
}

TEST_F(EngineUnitTabTest, ThreeTimeOutsInReadAllCancelEveryPendingRow)
{
    grid.combo(0)->setCurrentIndex(1);
    requests().readAll();
    start(pb::UnitTab);
    for (int i = 0; i < 2000 && !view.progress.contains("Cancelled!"); ++i)
        tick();

    EXPECT_EQ(line.sent, (Hex("01 01 80 7F") + pbtest::ReadRequestFrame(0)).repeated(3))
        << "three tries of row 0, no fourth";
    EXPECT_TRUE(view.progress.endsWith(" \r\n\r\nCancelled!\r\n")) << qPrintable(view.progress);
    EXPECT_EQ(reports.size(), 3u);
    EXPECT_FALSE(view.caretMoved);
    for (int r = 0; r < pb::kGridRows; ++r)
        EXPECT_EQ(requests().of(r), pb::NoRequest) << r;
    EXPECT_EQ(engine.ErrorCount(), 3);
    tick();
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(engine.ErrorCount(), 3);
}

TEST_F(EngineUnitTabTest, AfterTheLimitEveryRowRequestOnTheUnitTabIsCancelledAtOnce)
{
    start(pb::UnitTab);
    failReads(3);
    requests().read(2);
    tick(2);
    EXPECT_EQ(view.progress, "\r\nCancelled!\r\n");
    tick();
    ASSERT_EQ(engine.EngineState(), State::Ready);
    EXPECT_EQ(requests().of(2), pb::NoRequest);
    EXPECT_TRUE(line.sent.isEmpty());

    // The Settings tab has no limit, and a success there clears the count.
    view.tab = pb::SettingsTab;
    requests().read(2);
    ASSERT_GT(tickUntil(State::ReadReplyStart), 0);
    line.Arrive(ReadReply(2, 1));
    ASSERT_GT(tickUntil(State::Ready), 0);
    EXPECT_EQ(engine.ErrorCount(), 0);
}

TEST_F(EngineUnitTabTest, RowRequestsWaitWhileTheFileTabIsShown)
{
    start(pb::FileTab);
    requests().read(4);
    line.Arrive(Hex("41 0D"));
    tick(50);
    EXPECT_EQ(engine.EngineState(), State::Ready);
    EXPECT_TRUE(line.sent.isEmpty());
    EXPECT_EQ(line.waiting.size(), 2u) << "received bytes stay in the port";
    view.tab = pb::UnitTab;
    EXPECT_GT(tickUntil(State::ReadReplyStart), 0);
}

} // namespace
