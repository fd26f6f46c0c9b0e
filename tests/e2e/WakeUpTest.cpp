// The unit sleeps after six seconds without a frame; the program wakes it
// when its own reckoning says the unit may have dozed off, and after a
// failed attempt.
#include "ProgramOnUnit.h"

namespace {

using namespace pbtest;

class WakeUp : public ProgramOnUnit {
protected:
    void SetUp() override
    {
        pb::unitsim::UnitOptions options;
        options.statusEveryMs = 0;
        start(1, options);
        showTab(SettingsTab);
    }

    void readRow(int row)
    {
        window().CmdReadSingleSetting[row]->click();
        ASSERT_TRUE(tickUntil([this] { return allServed(); }));
    }
};

TEST_F(WakeUp, AfterTheUnitFellAsleepTheNextReadWakesItFirst)
{
    ASSERT_NO_FATAL_FAILURE(readRow(5));
    EXPECT_EQ(unit->counters().wakeUps, 1);
    ticks(260); // 6.5 s without a frame
    ASSERT_TRUE(unit->asleep(clock));

    unit->setValue(5, 9);
    ASSERT_NO_FATAL_FAILURE(readRow(5));
    EXPECT_EQ(unit->counters().wakeUps, 2);
    EXPECT_EQ(unit->counters().ignoredAsleep, 0);
    EXPECT_FALSE(unit->asleep(clock));
    EXPECT_EQ(pb::SelectedPosition(window().ComboInstellingen[5]), 9);
}

TEST_F(WakeUp, AUnitAsleepSoonerThanTheProgramReckonsIsWokenOnTheRetry)
{
    ASSERT_NO_FATAL_FAILURE(readRow(5));
    clock += pb::unitsim::VirtualUnit::kSleepAfterMs; // the unit's time runs ahead, not the program's

    unit->setValue(5, 4);
    window().CmdReadSingleSetting[5]->click();
    ASSERT_TRUE(tickUntil([this] { return allServed(); }, 400));
    EXPECT_EQ(unit->counters().ignoredAsleep, 1);
    EXPECT_EQ(unit->counters().wakeUps, 2);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[1].result, pb::ExchangeResult::NoStartByte) << "the read the unit slept through";
    EXPECT_EQ(pb::SelectedPosition(window().ComboInstellingen[5]), 4);
}

} // namespace
