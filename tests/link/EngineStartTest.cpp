#include "EngineFixture.h"

namespace {

using pbtest::Hex;
using State = pb::ProtocolEngine::State;
using EngineStartTest = pbtest::EngineTest;

TEST_F(EngineStartTest, WithoutTheStartCommandTheEngineNeverLeavesState0)
{
    view.tab = pb::SettingsTab;
    requests().read(4);
    requests().readAll();
    line.Arrive(Hex("41 42 0D"));
    for (int16_t command : {0, 1, 9, 11, 50})
        engine.ProtocolTick(command);
    tick(300);
    EXPECT_EQ(engine.EngineState(), State::NotStarted);
    EXPECT_EQ(engine.SendDelay(), pb::kWakeUpTicks);
    EXPECT_TRUE(line.sent.isEmpty());
    EXPECT_EQ(line.waiting.size(), 3u);
    EXPECT_TRUE(logged().isEmpty());
    EXPECT_EQ(requests().of(4), pb::ReadRequest);
}

TEST_F(EngineStartTest, AfterStartTheEngineWaitsTenTicks)
{
    view.tab = pb::StatusTab;
    line.Arrive(Hex("41 0D"));
    engine.ProtocolTick(pb::kStartCommand);
    EXPECT_EQ(engine.EngineState(), State::Ready);
    tick(9);
    EXPECT_TRUE(logged().isEmpty());
    tick();
    EXPECT_EQ(logged(), QStringList{"A"});
}

TEST_F(EngineStartTest, TheStatusTabTurnsUnitOutputIntoLogLines)
{
    start(pb::StatusTab);
    line.Arrive(QByteArray("Unit ready\r\nDiag"));
    tick();
    EXPECT_EQ(logged(), QStringList{"Unit ready"});
    EXPECT_EQ(engine.MonitorLine(), "Diag");
    EXPECT_EQ(engine.EngineState(), State::Ready);
}

TEST_F(EngineStartTest, IdleSettingsTabAlsoLogsUnitOutput)
{
    start(pb::SettingsTab);
    line.Arrive(QByteArray("x\x01\r"));
    tick(2);
    EXPECT_EQ(logged(), QStringList{"x[SOH]"});
}

TEST_F(EngineStartTest, WithUnitType0ARequestShowsItsStartLineAndIsDropped)
{
    state.config.UnitType = 0;
    grid.combo(4)->setCurrentIndex(1);
    grid.combo(6)->setCurrentIndex(0);
    start(pb::SettingsTab);
    requests().read(4);
    requests().write(6);
    state.rows.UnitSettings[6] = 0;
    ASSERT_GT(tickUntil(State::SendRead), 0);
    ASSERT_GT(tickUntil(State::Ready), 0);
    EXPECT_EQ(requests().of(4), pb::NoRequest);
    EXPECT_EQ(view.progress, "Reading of 4/1");
    ASSERT_GT(tickUntil(State::SendWrite), 0);
    ASSERT_GT(tickUntil(State::Ready), 0);
    EXPECT_EQ(requests().of(6), pb::NoRequest);
    EXPECT_EQ(view.progress, "Reading of 4/1Writing of 6/0  [Item: 6 Value: 0] ");
    EXPECT_EQ(line.sent, Hex("01 01 80 7F")) << "only the wake-up goes out";
}

TEST_F(EngineStartTest, AWriteWithoutUnitCodeIsDropped)
{
    state.config.UnitType = 1;
    grid.row(13, 5);
    grid.combo(13)->setCurrentIndex(4); // 19200 baud
    state.rows.UnitSettings[13] = 4;
    start(pb::SettingsTab);
    requests().write(13);
    ASSERT_GT(tickUntil(State::SendWrite), 0);
    ASSERT_GT(tickUntil(State::Ready), 0);
    EXPECT_EQ(requests().of(13), pb::NoRequest);
    EXPECT_EQ(line.sent, Hex("01 01 80 7F"));
}

} // namespace
