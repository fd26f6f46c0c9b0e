// The 26 lists as a view of the grid model: what the model holds they show,
// what the user picks or types goes back into it, and the colouring reads
// the model.
#include "support/GridFixture.h"
#include "ui/GridColouring.h"
#include "ui/GridView.h"

#include <QLineEdit>
#include <QTest>
#include <set>
#include <gtest/gtest.h>

namespace {

// The lists on their page and the row buttons, with a view between them and
// a model; the view makes the lists editable once the window is shown.
class WidgetGrid : public pbtest::GridFixture {
public:
    explicit WidgetGrid(bool shown = true)
    {
        for (int r = 0; r < pb::kGridRows; ++r) {
            auto* list = new QComboBox(&page);
            list->setInsertPolicy(QComboBox::NoInsert);
            widgets.ComboInstellingen[r] = list;
            widgets.CmdReadSingleSetting[r] = new QPushButton(&parent);
            widgets.CmdWriteSingleSetting[r] = new QPushButton(&parent);
        }
        widgets.FramePagerOproepen = new QWidget(&parent);
        widgets.ComboTestBleepCode = new QComboBox(&parent);
        widgets.model = &grid;
        new pb::GridView(widgets, grid, &parent);
        if (shown)
            parent.show();
    }
    QComboBox* list(int r) const { return widgets.ComboInstellingen[r]; }

    QWidget parent;
    QWidget page{&parent}; // the lists' page, shown as the Settings tab's is
    pb::SettingsGrid widgets;
};

TEST(GridView, TheListsFollowTheModelAndTheUsersPickGoesBack)
{
    WidgetGrid f;
    f.row(4, 3);
    f.row(5, 2, false);
    EXPECT_EQ(f.list(4)->count(), 3);
    EXPECT_EQ(f.list(4)->currentIndex(), -1) << "a new row has no selection";
    EXPECT_FALSE(f.list(4)->isHidden());
    EXPECT_FALSE(f.widgets.CmdWriteSingleSetting[4]->isHidden());
    EXPECT_TRUE(f.list(5)->isHidden());
    EXPECT_TRUE(f.widgets.CmdReadSingleSetting[5]->isHidden());

    f.grid.select(4, 2);
    EXPECT_EQ(f.list(4)->currentText(), "4/2");
    f.list(4)->setCurrentIndex(1);
    EXPECT_EQ(f.grid.position(4), 1);
    EXPECT_EQ(f.grid.text(4), "4/1");
    f.grid.select(4, -1);
    EXPECT_EQ(f.list(4)->currentIndex(), -1);
    EXPECT_EQ(f.list(4)->currentText(), "");
}

TEST(GridView, TypedTextReachesTheModelAndStaysInTheLine)
{
    WidgetGrid f;
    f.row(1, 3);
    f.list(1)->setCurrentIndex(2);
    f.list(1)->lineEdit()->selectAll();
    QTest::keyClicks(f.list(1)->lineEdit(), "nonsense");
    EXPECT_EQ(f.list(1)->currentText(), "nonsense") << "the model does not echo into the line";
    EXPECT_EQ(f.grid.text(1), "nonsense");
    EXPECT_EQ(f.grid.position(1), -1);
    EXPECT_EQ(pb::SelectedPosition(f.list(1)), -1);
    EXPECT_EQ(f.list(1)->count(), 3) << "typing never adds an option";

    f.list(1)->lineEdit()->selectAll();
    QTest::keyClicks(f.list(1)->lineEdit(), "1/1");
    EXPECT_EQ(f.grid.position(1), 1) << "the exact text of an option selects it";
    EXPECT_EQ(pb::SelectedPosition(f.list(1)), 1);
}

TEST(GridView, ARowThatChangesWhileThePageIsHiddenShowsWhenThePageDoes)
{
    WidgetGrid f;
    f.page.hide();
    f.row(2, 4);
    f.grid.select(2, 3);
    EXPECT_EQ(f.list(2)->count(), 0);
    f.page.show();
    EXPECT_EQ(f.list(2)->count(), 4);
    EXPECT_EQ(f.list(2)->currentIndex(), 3);
}

TEST(GridView, TheListsGetTheirTextPartsWhenThePageIsFirstOnTheScreen)
{
    WidgetGrid f(false);
    f.row(0, 2);
    f.grid.type(0, "typed before");
    f.grid.setCallPanel(true, {"a", "b", "c"}, 1);
    EXPECT_FALSE(f.list(0)->isEditable());
    EXPECT_EQ(f.widgets.ComboTestBleepCode->count(), 0) << "the bleep codes wait for their page too";
    f.parent.show();
    EXPECT_EQ(f.widgets.ComboTestBleepCode->count(), 3);
    EXPECT_EQ(f.widgets.ComboTestBleepCode->currentIndex(), 1);
    EXPECT_TRUE(f.widgets.ComboTestBleepCode->isEditable());
    ASSERT_TRUE(f.list(0)->isEditable());
    EXPECT_EQ(f.list(0)->currentText(), "typed before");
    QTest::keyClicks(f.list(0)->lineEdit(), "!");
    EXPECT_EQ(f.grid.text(0), "typed before!") << "typing reaches the model";
}

TEST(GridView, TheCallPanelShowsWithItsBleepCodesAtTheirDefault)
{
    WidgetGrid f;
    f.grid.setCallPanel(true, {"a", "b", "c"}, 1);
    EXPECT_FALSE(f.widgets.FramePagerOproepen->isHidden());
    EXPECT_EQ(f.widgets.ComboTestBleepCode->count(), 3);
    EXPECT_EQ(f.widgets.ComboTestBleepCode->currentIndex(), 1);
    f.grid.setCallPanel(false);
    EXPECT_TRUE(f.widgets.FramePagerOproepen->isHidden());
}

TEST(GridColouring, ConfirmedRowsAreMutedOthersNormal)
{
    WidgetGrid f;
    f.allRows(3);
    pb::RowValues v;
    f.list(0)->setCurrentIndex(1);
    v.SettingsInUnit[0] = 1;           // confirmed as shown
    f.list(1)->setCurrentIndex(2);
    v.SettingsInUnit[1] = 1;           // unit holds another value
    f.list(2)->setCurrentIndex(0);     // never confirmed (-1)
    // row 3: no selection and nothing confirmed: both -1, counts as agreeing
    pb::ColourSettingsGrid(f.widgets, v, {});
    const QColor muted = pb::ConfirmedRowColour(f.list(0));
    const QColor normal = pb::UnconfirmedRowColour(f.list(0));
    ASSERT_NE(muted, normal);
    EXPECT_EQ(f.list(0)->palette().color(QPalette::Text), muted);
    EXPECT_EQ(f.list(1)->palette().color(QPalette::Text), normal);
    EXPECT_EQ(f.list(2)->palette().color(QPalette::Text), normal);
    EXPECT_EQ(f.list(3)->palette().color(QPalette::Text), muted);
}

TEST(GridColouring, HiddenRowsAreColouredAndPendingRowsKeepTheirColour)
{
    WidgetGrid f;
    f.allRows(3);
    f.row(7, 3, false);
    pb::RowValues v;
    std::set<int> pending;
    const auto rowPending = [&pending](int row) { return pending.count(row) > 0; };
    f.grid.select(7, 0);
    v.SettingsInUnit[7] = 0;
    f.list(9)->setCurrentIndex(0);
    v.SettingsInUnit[9] = 0;
    pb::ColourSettingsGrid(f.widgets, v, rowPending);
    const QColor muted = pb::ConfirmedRowColour(f.list(0));
    EXPECT_EQ(f.list(7)->palette().color(QPalette::Text), muted);
    EXPECT_EQ(f.list(9)->palette().color(QPalette::Text), muted);

    f.list(9)->setCurrentIndex(2);     // the user changes it while a read is pending
    pending.insert(9);
    pb::ColourSettingsGrid(f.widgets, v, rowPending);
    EXPECT_EQ(f.list(9)->palette().color(QPalette::Text), muted);
    pending.erase(9);
    pb::ColourSettingsGrid(f.widgets, v, rowPending);
    EXPECT_EQ(f.list(9)->palette().color(QPalette::Text), pb::UnconfirmedRowColour(f.list(9)));
}

} // namespace
