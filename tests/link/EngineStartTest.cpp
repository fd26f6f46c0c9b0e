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

} // namespace
