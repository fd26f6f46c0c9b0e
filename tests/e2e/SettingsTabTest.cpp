// Single reads and writes from the buttons of the "Settings" tab, in the
// service mode that shows them.
#include "ProgramOnUnit.h"

namespace {

using namespace pbtest;

class SettingsTabButtons : public ProgramOnUnit {
protected:
    void SetUp() override
    {
        pb::unitsim::UnitOptions options;
        options.statusEveryMs = 0;
        start(5, options, QStringLiteral("/DEBUG"));
        showTab(SettingsTab);
    }

    void press(QPushButton* button)
    {
        ASSERT_TRUE(button->isVisible());
        button->click();
        ASSERT_TRUE(tickUntil([this] { return allServed(); }));
    }

    QComboBox* combo(int row) { return window().ComboInstellingen[row]; }
};

TEST_F(SettingsTabButtons, WritingOneRowChangesThatItemOnly)
{
    combo(5)->setCurrentIndex(12);
    ASSERT_NO_FATAL_FAILURE(press(window().CmdWriteSingleSetting[5]));
    EXPECT_EQ(unit->value(5), 12);
    EXPECT_EQ(rows().SettingsInUnit[5], 12);
    EXPECT_TRUE(shownAsConfirmed(5));
    EXPECT_EQ(unit->counters().served, 1);
    EXPECT_EQ(unit->value(7), 7 % combo(7)->count()); // untouched
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].exchange, pb::Exchange::WriteRow);
    EXPECT_EQ(reports[0].result, pb::ExchangeResult::Done);
}

TEST_F(SettingsTabButtons, SpeedAndPollIntervalTravelInTheUnitsCoding)
{
    combo(13)->setCurrentIndex(2); // 4800 baud
    ASSERT_NO_FATAL_FAILURE(press(window().CmdWriteSingleSetting[13]));
    EXPECT_EQ(unit->value(13), 48);
    combo(18)->setCurrentIndex(7); // > 40 sec
    ASSERT_NO_FATAL_FAILURE(press(window().CmdWriteSingleSetting[18]));
    EXPECT_EQ(unit->value(18), 35);

    unit->setValue(13, 24);
    unit->setValue(18, 37);
    ASSERT_NO_FATAL_FAILURE(press(window().CmdReadSingleSetting[13]));
    ASSERT_NO_FATAL_FAILURE(press(window().CmdReadSingleSetting[18]));
    EXPECT_EQ(pb::SelectedPosition(combo(13)), 1);
    EXPECT_EQ(pb::SelectedPosition(combo(18)), 7);
    EXPECT_EQ(rows().SettingsInUnit[18], 7);
}

TEST_F(SettingsTabButtons, ReadingOneRowFetchesWhatTheUnitHoldsNow)
{
    unit->setValue(9, 4);
    ASSERT_NO_FATAL_FAILURE(press(window().CmdReadSingleSetting[9]));
    EXPECT_EQ(pb::SelectedPosition(combo(9)), 4);
    EXPECT_TRUE(shownAsConfirmed(9));
    EXPECT_EQ(unit->counters().served, 1);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].exchange, pb::Exchange::ReadRow);
    EXPECT_EQ(reports[0].result, pb::ExchangeResult::Done);
}

TEST_F(SettingsTabButtons, AValueTheUnitCannotTakeIsNeverSent)
{
    combo(13)->setCurrentIndex(4); // 19200 baud has no code on this type
    window().CmdWriteSingleSetting[13]->click();
    ASSERT_TRUE(tickUntil([this] { return allServed(); }));
    ticks(5);
    EXPECT_EQ(unit->counters().frames, 0);
    EXPECT_EQ(unit->value(13), 96);
}

} // namespace
