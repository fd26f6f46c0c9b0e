// Building the grid model: visibility, contents, no selection, and the
// test-call panel.
#include "EnglishTexts.h"
#include "settings/SetupUnitType.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class SetupUnitTypeTest : public testing::Test {
protected:
    std::set<int> VisibleRows() const
    {
        std::set<int> rows;
        for (int r = 0; r < pb::kGridRows; ++r) {
            if (grid.shown(r))
                rows.insert(r);
        }
        return rows;
    }

    void ExpectNoSelection() const
    {
        for (int r = 0; r < pb::kGridRows; ++r) {
            EXPECT_EQ(grid.position(r), -1) << "row " << r;
            EXPECT_TRUE(grid.text(r).isEmpty()) << "row " << r;
        }
    }

    void ExpectEmptyGrid() const
    {
        EXPECT_TRUE(VisibleRows().empty());
        for (int r = 0; r < pb::kGridRows; ++r) {
            ASSERT_EQ(grid.count(r), 1) << "row " << r;
            EXPECT_EQ(Option(r, 0), "No item possible");
        }
        EXPECT_FALSE(grid.callPanelShown());
        ExpectNoSelection();
    }

    int Count(int r) const { return grid.count(r); }
    QString Option(int r, int i) const { return grid.row(r).options.at(i); }

    pb::GridModel grid;
    const pb::TextTable en = pbtest::EnglishGridTexts();
};

std::set<int> Span(int first, int last, std::set<int> more = {})
{
    for (int r = first; r <= last; ++r)
        more.insert(r);
    return more;
}

} // namespace

TEST_F(SetupUnitTypeTest, Type1ShowsItsRowsAndFillsHiddenOnes)
{
    EXPECT_EQ(pb::SetupUnitType(grid, en, 1), 0);
    EXPECT_EQ(VisibleRows(), Span(7, 18, {0, 5}));
    EXPECT_EQ(Count(1), 0);
    EXPECT_EQ(Count(2), 0);
    EXPECT_EQ(Count(3), 20);
    EXPECT_EQ(Count(4), 31);
    EXPECT_EQ(Count(6), 31);
    EXPECT_EQ(Count(17), 2);
    for (int r = 19; r <= 25; ++r) {
        ASSERT_EQ(Count(r), 1) << r;
        EXPECT_EQ(Option(r, 0), "No item possible");
    }
    EXPECT_EQ(Option(13, 4), "ESPA serial speed: 19200 baud");
    EXPECT_FALSE(grid.callPanelShown());
    ExpectNoSelection();
}

TEST_F(SetupUnitTypeTest, VisibleRowsOfEveryTypeWithSettings)
{
    pb::SetupUnitType(grid, en, 2);
    EXPECT_EQ(VisibleRows(), Span(7, 20, {0, 5}));
    EXPECT_EQ(Count(21), 1);
    pb::SetupUnitType(grid, en, 3);
    EXPECT_EQ(VisibleRows(), Span(2, 25, {0}));
    EXPECT_EQ(Count(1), 0);
    pb::SetupUnitType(grid, en, 4);
    EXPECT_EQ(VisibleRows(), Span(6, 21, {0}));
    for (int r : {1, 2, 3, 4, 5, 22, 23, 24, 25})
        EXPECT_EQ(Count(r), 0) << "type 4 leaves row " << r << " without options";
    pb::SetupUnitType(grid, en, 5);
    EXPECT_EQ(VisibleRows(), Span(0, 18));
    pb::SetupUnitType(grid, en, 6);
    EXPECT_EQ(VisibleRows(), Span(0, 20));
    EXPECT_EQ(Count(18), 21);
    ExpectNoSelection();
}

TEST_F(SetupUnitTypeTest, Type3FillsTheBleepCodesAndShowsThePanel)
{
    pb::SetupUnitType(grid, en, 3);
    const QStringList& bleep = grid.bleepCodes();
    ASSERT_EQ(bleep.size(), 16);
    EXPECT_EQ(bleep[0], "BleepCode: 0");
    EXPECT_EQ(bleep[15], "BleepCode: F");
    EXPECT_EQ(grid.defaultBleepCode(), 1);
    EXPECT_TRUE(grid.callPanelShown());
}

TEST_F(SetupUnitTypeTest, TypesWithoutSettingsGiveAnEmptyGrid)
{
    for (int16_t type : {int16_t(0), int16_t(7), int16_t(-1)}) {
        SCOPED_TRACE(testing::Message() << "type " << type);
        pb::SetupUnitType(grid, en, 3);
        EXPECT_EQ(pb::SetupUnitType(grid, en, type), 0);
        ExpectEmptyGrid();
    }
}

TEST_F(SetupUnitTypeTest, SwitchingFromType3HidesThePanelAndRefillsRows)
{
    pb::SetupUnitType(grid, en, 3);
    pb::SetupUnitType(grid, en, 1);
    EXPECT_FALSE(grid.callPanelShown());
    EXPECT_EQ(VisibleRows(), Span(7, 18, {0, 5}));
    EXPECT_EQ(Count(2), 0);
    EXPECT_EQ(Count(25), 1);
    EXPECT_EQ(Option(13, 0), "ESPA serial speed: 1200 baud");
    EXPECT_EQ(Count(13), 5);
}

TEST_F(SetupUnitTypeTest, ABuildClearsEarlierSelectionsAndTypedText)
{
    pb::SetupUnitType(grid, en, 5);
    grid.select(3, 4);
    grid.type(9, "typed");
    pb::SetupUnitType(grid, en, 5);
    ExpectNoSelection();
    EXPECT_EQ(Count(3), 29);
}

TEST_F(SetupUnitTypeTest, APositionKeepsItsMeaningInAnotherLanguage)
{
    pb::SetupUnitType(grid, en, 1);
    pb::TextTable other = en;
    other[48] = "Snelheid";
    pb::SetupUnitType(grid, other, 1);
    grid.select(13, 3);
    EXPECT_EQ(grid.text(13), "Snelheid: 9600 baud");
}
