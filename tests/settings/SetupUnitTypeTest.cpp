// Building the grid on real widgets: visibility, contents, no selection,
// and the test-call panel.
#include "EnglishTexts.h"
#include "settings/SettingsGrid.h"
#include "settings/SetupUnitType.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

class SetupUnitTypeTest : public testing::Test {
protected:
    SetupUnitTypeTest()
    {
        frame = new QWidget(&page);
        frame->hide();
        grid.FramePagerOproepen = frame;
        grid.ComboTestBleepCode = new QComboBox(frame);
        grid.ComboTestBleepCode->setEditable(true);
        grid.ComboTestBleepCode->hide();
        for (int r = 0; r < pb::kGridRows; ++r) {
            auto* combo = new QComboBox(&page);
            combo->setEditable(true);
            grid.ComboInstellingen[r] = combo;
            grid.CmdReadSingleSetting[r] = new QPushButton(&page);
            grid.CmdWriteSingleSetting[r] = new QPushButton(&page);
        }
    }

    std::set<int> VisibleRows() const
    {
        std::set<int> rows;
        for (int r = 0; r < pb::kGridRows; ++r) {
            const bool shown = pb::RowShown(grid, r);
            EXPECT_EQ(!grid.CmdReadSingleSetting[r]->isHidden(), shown) << "read button of row " << r;
            EXPECT_EQ(!grid.CmdWriteSingleSetting[r]->isHidden(), shown) << "write button of row " << r;
            if (shown)
                rows.insert(r);
        }
        return rows;
    }

    void ExpectNoSelection() const
    {
        for (int r = 0; r < pb::kGridRows; ++r) {
            EXPECT_EQ(grid.ComboInstellingen[r]->currentIndex(), -1) << "row " << r;
            EXPECT_TRUE(grid.ComboInstellingen[r]->currentText().isEmpty()) << "row " << r;
        }
    }

    void ExpectEmptyGrid() const
    {
        EXPECT_TRUE(VisibleRows().empty());
        for (int r = 0; r < pb::kGridRows; ++r) {
            ASSERT_EQ(grid.ComboInstellingen[r]->count(), 1) << "row " << r;
            EXPECT_EQ(grid.ComboInstellingen[r]->itemText(0), "No item possible");
        }
        EXPECT_TRUE(grid.FramePagerOproepen->isHidden());
        ExpectNoSelection();
    }

    int Count(int r) const { return grid.ComboInstellingen[r]->count(); }

    QWidget page;
    QWidget* frame = nullptr;
    pb::SettingsGrid grid;
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
        EXPECT_EQ(grid.ComboInstellingen[r]->itemText(0), "No item possible");
    }
    EXPECT_EQ(grid.ComboInstellingen[13]->itemText(4), "ESPA serial speed: 19200 baud");
    EXPECT_TRUE(grid.FramePagerOproepen->isHidden());
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
    QComboBox* bleep = grid.ComboTestBleepCode;
    ASSERT_EQ(bleep->count(), 16);
    EXPECT_EQ(bleep->itemText(0), "BleepCode: 0");
    EXPECT_EQ(bleep->itemText(15), "BleepCode: F");
    EXPECT_EQ(bleep->currentIndex(), 1);
    EXPECT_EQ(bleep->currentText(), "BleepCode: 1");
    EXPECT_FALSE(bleep->isHidden());
    EXPECT_FALSE(grid.FramePagerOproepen->isHidden());

    // Building again does not pile up codes.
    bleep->setCurrentIndex(7);
    pb::SetupUnitType(grid, en, 3);
    EXPECT_EQ(bleep->count(), 16);
    EXPECT_EQ(bleep->currentIndex(), 1);
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
    EXPECT_TRUE(grid.FramePagerOproepen->isHidden());
    EXPECT_EQ(VisibleRows(), Span(7, 18, {0, 5}));
    EXPECT_EQ(Count(2), 0);
    EXPECT_EQ(Count(25), 1);
    EXPECT_EQ(grid.ComboInstellingen[13]->itemText(0), "ESPA serial speed: 1200 baud");
    EXPECT_EQ(Count(13), 5);
    // The bleep list is left as it was.
    EXPECT_EQ(grid.ComboTestBleepCode->count(), 16);
}

TEST_F(SetupUnitTypeTest, ABuildClearsEarlierSelectionsAndTypedText)
{
    pb::SetupUnitType(grid, en, 5);
    grid.ComboInstellingen[3]->setCurrentIndex(4);
    grid.ComboInstellingen[9]->lineEdit()->setText("typed");
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
    grid.ComboInstellingen[13]->setCurrentIndex(3);
    EXPECT_EQ(grid.ComboInstellingen[13]->currentText(), "Snelheid: 9600 baud");
}
