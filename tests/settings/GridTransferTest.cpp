#include "settings/GridTransfer.h"
#include "support/GridFixture.h"

#include <gtest/gtest.h>

namespace {

using pbtest::GridFixture;

TEST(GridTransfer, SettingsToGridSelectsThePositionsOfVisibleRowsOnly)
{
    GridFixture f;
    f.allRows(4);
    f.row(5, 4, false);
    pb::RowValues v;
    v.UnitSettings[0] = 3;
    v.UnitSettings[1] = 1;
    v.UnitSettings[5] = 2;
    pb::SettingsToGrid(f.grid, v);
    EXPECT_EQ(f.combo(0)->currentIndex(), 3);
    EXPECT_EQ(f.combo(1)->currentIndex(), 1);
    EXPECT_EQ(f.combo(5)->currentIndex(), -1);
    EXPECT_EQ(v.UnitSettings[5], 2);
}

TEST(GridTransfer, ARefusedPositionBecomesTheFirstOptionInMemoryToo)
{
    GridFixture f;
    f.row(3, 2);
    pb::RowValues v;
    v.UnitSettings[3] = 7;
    pb::SettingToGrid(f.grid, v, 3);
    EXPECT_EQ(f.combo(3)->currentIndex(), 0);
    EXPECT_EQ(v.UnitSettings[3], 0);
    v.UnitSettings[3] = -2;
    pb::SettingToGrid(f.grid, v, 3);
    EXPECT_EQ(v.UnitSettings[3], 0);
    v.UnitSettings[3] = 2; // one past the last option
    pb::SettingToGrid(f.grid, v, 3);
    EXPECT_EQ(v.UnitSettings[3], 0);
}

TEST(GridTransfer, MinusOneClearsTheSelectionAndTheText)
{
    GridFixture f;
    f.row(2, 3);
    f.combo(2)->setCurrentIndex(1);
    pb::RowValues v;
    v.UnitSettings[2] = -1;
    pb::SettingToGrid(f.grid, v, 2);
    EXPECT_EQ(f.combo(2)->currentIndex(), -1);
    EXPECT_EQ(f.combo(2)->currentText(), "");
    EXPECT_EQ(v.UnitSettings[2], -1);
}

TEST(GridTransfer, GridToSettingsCopiesVisibleRowsAndKeepsHiddenOnes)
{
    GridFixture f;
    f.allRows(3);
    f.row(4, 3, false);
    pb::RowValues v;
    v.UnitSettings.fill(9);
    for (int r = 0; r < pb::kGridRows; ++r)
        f.combo(r)->setCurrentIndex(r % 3);
    f.combo(6)->setCurrentIndex(-1);
    pb::GridToSettings(f.grid, v);
    EXPECT_EQ(v.UnitSettings[0], 0);
    EXPECT_EQ(v.UnitSettings[2], 2);
    EXPECT_EQ(v.UnitSettings[4], 9);
    EXPECT_EQ(v.UnitSettings[6], -1);
    EXPECT_EQ(v.UnitSettings[26], 9) << "only rows 0..25 come from the grid";
}

TEST(GridTransfer, GridToSettingOnAHiddenRowStoresZero)
{
    GridFixture f;
    f.row(8, 3, false);
    pb::RowValues v;
    v.UnitSettings[8] = 2;
    pb::GridToSetting(f.grid, v, 8);
    EXPECT_EQ(v.UnitSettings[8], 0);
}

TEST(GridTransfer, TypedTextSelectsTheOptionWithThatTextOrNone)
{
    GridFixture f;
    f.row(1, 3);
    f.combo(1)->setCurrentIndex(2);
    f.combo(1)->setEditText("nonsense");
    pb::RowValues v;
    pb::GridToSetting(f.grid, v, 1);
    EXPECT_EQ(v.UnitSettings[1], -1);
    EXPECT_EQ(f.combo(1)->currentText(), "nonsense");
    EXPECT_EQ(f.combo(1)->count(), 3) << "typing never adds an option";
    f.combo(1)->setEditText("1/1");
    EXPECT_EQ(f.combo(1)->currentIndex(), 1) << "the exact text of an option selects it";
}

TEST(GridTransfer, FileAndSettingsCopyRows0To25Only)
{
    pb::RowValues v;
    for (int r = 0; r < pb::kRowSlots; ++r)
        v.FileSettings[r] = int16_t(r + 100);
    pb::FileToSettings(v);
    EXPECT_EQ(v.UnitSettings[25], 125);
    EXPECT_EQ(v.UnitSettings[26], 0);
    v.UnitSettings[26] = 5;
    v.UnitSettings[3] = 1;
    pb::SettingsToFile(v);
    EXPECT_EQ(v.FileSettings[3], 1);
    EXPECT_EQ(v.FileSettings[26], 126);
}

TEST(GridTransfer, ResetForgetsWhatTheUnitConfirmed)
{
    pb::RowValues v;
    v.SettingsInUnit.fill(3);
    pb::ResetSettingsInUnit(v);
    for (int r = 0; r < pb::kRowSlots; ++r)
        EXPECT_EQ(v.SettingsInUnit[r], -1);
}

} // namespace
