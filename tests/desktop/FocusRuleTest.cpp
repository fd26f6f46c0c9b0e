// The focus rule on a real X server, with and without a window manager:
// while a secondary window is open, a click on the main window beeps once,
// reaches none of its controls and brings the secondary window back.
#include "RealDesktop.h"
#include "ui/AboutBox.h"
#include "ui/HousingGuide.h"
#include "ui/SettingsDialogFixture.h"

#include <QApplication>
#include <QListView>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <optional>

namespace pb::test {
namespace {

enum class Manager { None, Openbox };

void PrintTo(Manager manager, std::ostream* out)
{
    *out << (manager == Manager::Openbox ? "openbox" : "no window manager");
}

class FocusRuleTest : public SettingsDialogTest, public ::testing::WithParamInterface<Manager> {
protected:
    void SetUp() override
    {
        const QString why = whyNoDesktop();
        if (!why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        if (GetParam() == Manager::Openbox) {
            if (QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty())
                GTEST_SKIP() << "openbox is not installed";
            manager.emplace();
            ASSERT_TRUE(manager->managing()) << "openbox did not take the display";
        }
        SettingsDialogTest::SetUp();
        window->SSTab1->setCurrentIndex(3);
        window->move(0, 0);
    }

    void showMain()
    {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // A window manager gives a new window the focus in its own time; a
        // secondary window opened before that would take it for the user's.
        if (manager) {
            ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == window.get(); }));
        }
    }

    void countBeeps(SecondaryWindow* keeper)
    {
        keeper->focusKeeper().setBeep([this] { ++beeps; });
    }

    void open(SecondaryWindow* keeper)
    {
        countBeeps(keeper);
        keeper->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(keeper));
        ASSERT_TRUE(inFront(keeper));
    }

    static bool inFront(QWidget* keeper)
    {
        return QTest::qWaitFor([keeper] { return QApplication::activeWindow() == keeper; });
    }

    // A click on an empty corner of `keeper`: once it has come in, so has
    // whatever an earlier click still had to bring.
    static void settle(QWidget* keeper) { ASSERT_TRUE(realClickArrived(keeper, QPoint(2, 2))); }

    void expectClickTurnedAway(QWidget* keeper)
    {
        QPushButton* readAll = window->CmdLeesAlles;
        ASSERT_FALSE(keeper->frameGeometry().contains(readAll->mapToGlobal(readAll->rect().center())));
        QSignalSpy clicked(readAll, &QPushButton::clicked);
        const int before = beeps;
        ASSERT_TRUE(realClick(readAll));
        EXPECT_TRUE(QTest::qWaitFor([&] { return beeps > before && QApplication::activeWindow() == keeper; }));
        settle(keeper);
        EXPECT_EQ(beeps, before + 1);
        EXPECT_EQ(clicked.count(), 0);
        EXPECT_EQ(QApplication::activeWindow(), keeper);
    }

    std::optional<WindowManager> manager;
    int beeps = 0;
};

TEST_P(FocusRuleTest, TheSettingsDialogTurnsEachClickOnTheMainWindowAway)
{
    showMain();
    open(openDialog());
    expectClickTurnedAway(dialog);
    expectClickTurnedAway(dialog);

    // Its own controls and drop-down list take clicks without a beep.
    ASSERT_TRUE(realClick(dialog->CmdWijzigen));
    ASSERT_TRUE(QTest::qWaitFor([this] { return dialog->ComboTaal->isEnabled(); }));
    ASSERT_TRUE(realClick(dialog->ComboTaal));
    QAbstractItemView* list = dialog->ComboTaal->view();
    ASSERT_TRUE(QTest::qWaitFor([list] { return list->isVisible(); }));
    ASSERT_TRUE(realClick(list->viewport(), list->visualRect(list->model()->index(1, 0)).center()));
    EXPECT_TRUE(QTest::qWaitFor([this] { return dialog->ComboTaal->currentIndex() == 1; }));
    ASSERT_TRUE(realClick(dialog->CmdCancel));
    ASSERT_TRUE(QTest::qWaitFor([this] { return dialog->CmdClose->isEnabled(); }));
    settle(dialog);
    EXPECT_EQ(beeps, 2);

    // Once it is closed the main window takes clicks again.
    ASSERT_TRUE(realClick(dialog->CmdClose));
    ASSERT_TRUE(QTest::qWaitFor([this] { return dialog.isNull(); }));
    QSignalSpy readAll(window->CmdLeesAlles, &QPushButton::clicked);
    ASSERT_TRUE(realClick(window->CmdLeesAlles));
    EXPECT_TRUE(QTest::qWaitFor([&] { return readAll.count() == 1; }));
    EXPECT_EQ(beeps, 2);
}

TEST_P(FocusRuleTest, TheAboutBoxTurnsAClickOnTheMainWindowAway)
{
    showMain();
    auto* about = new AboutBox(state, *window);
    open(about);
    expectClickTurnedAway(about);
}

TEST_P(FocusRuleTest, TheGuideShownAtStartUpStaysInFrontWithoutABeep)
{
    // The start-up order: the guide comes up during the main window's load.
    auto* guide = new HousingGuide(state, window.get());
    countBeeps(guide);
    guide->show();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_TRUE(inFront(guide));
    settle(guide);
    EXPECT_EQ(beeps, 0);
    expectClickTurnedAway(guide);
}

INSTANTIATE_TEST_SUITE_P(WithoutWindowManager, FocusRuleTest, ::testing::Values(Manager::None));
INSTANTIATE_TEST_SUITE_P(UnderOpenbox, FocusRuleTest, ::testing::Values(Manager::Openbox));

} // namespace
} // namespace pb::test
