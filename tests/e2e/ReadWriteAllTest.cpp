// Read all and write all on the "Unit" tab, for every unit type with
// settings, through the port, the line and the virtual unit.
#include "ProgramOnUnit.h"

#include "support/ModalAnswer.h"
#include "unitsim/StartValues.h"

#include <array>

namespace {

using namespace pbtest;

bool CodesSpeedAndInterval(int16_t type)
{
    return type == 1 || type == 2 || type == 5 || type == 6;
}

// The byte the unit keeps for a list position, in the unit's own terms: the
// speed in hundreds of baud and the poll interval in seconds on the types
// that code them, the position itself everywhere else.
int UnitByte(int16_t type, int row, int position)
{
    static constexpr std::array<int, 4> kSpeeds{12, 24, 48, 96};
    if (CodesSpeedAndInterval(type) && row == 13)
        return kSpeeds.at(position);
    if (CodesSpeedAndInterval(type) && row == 18)
        return 5 * position;
    return position;
}

class ReadWriteAll : public ProgramOnUnit, public ::testing::WithParamInterface<int16_t> {
protected:
    void SetUp() override
    {
        pb::unitsim::UnitOptions options;
        options.statusEveryMs = 0;
        start(GetParam(), options);
    }

    // A position of the row other than the unit's first, varied from row to
    // row; 19200 baud has no code where the speed is coded, so it is avoided.
    int chosen(int row, int salt = 0)
    {
        int count = int(state.grid.row(row).options.size());
        if (CodesSpeedAndInterval(GetParam()) && row == 13)
            count = 4;
        return (row * 7 + 2 + salt) % count;
    }

    void pressAndServe(QPushButton* button)
    {
        showTab(UnitTab);
        button->click();
        ASSERT_TRUE(tickUntil([this] { return allServed(); }));
    }
};

TEST_P(ReadWriteAll, ReadAllShowsTheUnitsValuesAsConfirmed)
{
    const int16_t type = GetParam();
    const std::vector<int> shown = shownRows();
    ASSERT_FALSE(shown.empty());
    for (int row : shown)
        unit->setValue(row, uint8_t(UnitByte(type, row, chosen(row))));

    ASSERT_NO_FATAL_FAILURE(pressAndServe(window().CmdLeesAlles));

    showTab(SettingsTab);
    for (int row : shown) {
        EXPECT_EQ(rows().SettingsInUnit[row], chosen(row)) << "row " << row;
        EXPECT_EQ(pb::SelectedPosition(window().ComboInstellingen[row]), chosen(row)) << "row " << row;
        EXPECT_TRUE(shownAsConfirmed(row)) << "row " << row;
    }
    EXPECT_EQ(unit->counters().served, int(shown.size()));
    EXPECT_EQ(unit->counters().checkSumErrors, 0);
}

TEST_P(ReadWriteAll, WriteAllThenReadAllGivesBackWhatWasWritten)
{
    const int16_t type = GetParam();
    const std::vector<int> shown = shownRows();
    showTab(SettingsTab);
    for (int row : shown)
        window().ComboInstellingen[row]->setCurrentIndex(chosen(row, 1));

    pressInMessageBox(QMessageBox::Ok);
    ASSERT_NO_FATAL_FAILURE(pressAndServe(window().CmdSchrijfAlles));

    const pb::unitsim::UnitMemory factory = pb::unitsim::StartValues(type);
    for (int row = 0; row < pb::kGridRows; ++row) {
        const bool isShown = std::find(shown.begin(), shown.end(), row) != shown.end();
        const int expected = isShown ? UnitByte(type, row, chosen(row, 1)) : factory[row];
        EXPECT_EQ(unit->value(row), expected) << "row " << row;
        if (isShown) {
            EXPECT_EQ(rows().SettingsInUnit[row], chosen(row, 1)) << "row " << row;
            EXPECT_TRUE(shownAsConfirmed(row)) << "row " << row;
        }
    }

    // Changed in the grid, the rows no longer show what the unit holds.
    showTab(SettingsTab);
    for (int row : shown)
        window().ComboInstellingen[row]->setCurrentIndex(chosen(row, 2));
    EXPECT_FALSE(shownAsConfirmed(shown.front()));

    ASSERT_NO_FATAL_FAILURE(pressAndServe(window().CmdLeesAlles));
    showTab(SettingsTab);
    for (int row : shown) {
        EXPECT_EQ(pb::SelectedPosition(window().ComboInstellingen[row]), chosen(row, 1)) << "row " << row;
        EXPECT_EQ(rows().SettingsInUnit[row], chosen(row, 1)) << "row " << row;
        EXPECT_TRUE(shownAsConfirmed(row)) << "row " << row;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryTypeWithSettings, ReadWriteAll, ::testing::Values(1, 2, 3, 4, 5, 6),
                         [](const ::testing::TestParamInfo<int16_t>& info) {
                             return "Type" + std::to_string(info.param);
                         });

class TypeWithoutSettings : public ProgramOnUnit {};

TEST_F(TypeWithoutSettings, ReadAllSendsTheUnitNothing)
{
    ASSERT_NO_FATAL_FAILURE(start(0));
    showTab(UnitTab);
    window().CmdLeesAlles->click();
    ASSERT_TRUE(tickUntil([this] { return allServed(); }));
    ticks(20);
    EXPECT_EQ(unit->counters().frames, 0);
    EXPECT_EQ(unit->counters().wakeUps, 0);
}

} // namespace
