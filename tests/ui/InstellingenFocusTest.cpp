// While the settings dialog is open the main window takes no input: a click
// on it beeps and the dialog comes back to the front; the main window's
// timers keep running.
#include "InstellingenFixture.h"

#include <QApplication>
#include <QListView>
#include <QSignalSpy>
#include <QTest>

namespace pb::test {
namespace {

class InstellingenFocusTest : public InstellingenTest {
protected:
    void SetUp() override
    {
        InstellingenTest::SetUp();
        window->SSTab1->setCurrentIndex(3);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        openDialog();
        dialog->focusKeeper().setBeep([this] { ++beeps; });
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    }

    bool dialogActiveAgain()
    {
        return QTest::qWaitFor([this] { return QApplication::activeWindow() == dialog; });
    }

    int beeps = 0;
};

TEST_F(InstellingenFocusTest, TheDialogIsApplicationModalWithoutBlocking)
{
    // show() has returned: nothing waits in a loop of the dialog's own.
    EXPECT_EQ(dialog->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(QApplication::activeModalWidget(), dialog.data());
    EXPECT_TRUE(window->TmrAfhandel->isActive());
    QSignalSpy lampTicks(window->LedTimer, &QTimer::timeout);
    EXPECT_TRUE(lampTicks.wait(2000));
}

TEST_F(InstellingenFocusTest, AClickOnTheMainWindowBeepsAndDoesNotReachIt)
{
    QSignalSpy readAll(window->CmdLeesAlles, &QPushButton::clicked);
    QTest::mouseClick(window->CmdLeesAlles, Qt::LeftButton);
    EXPECT_EQ(readAll.count(), 0);
    EXPECT_EQ(beeps, 1);

    // The same click the way the window system delivers it.
    const QPoint centre = window->CmdLeesAlles->mapTo(window.get(), window->CmdLeesAlles->rect().center());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(readAll.count(), 0);
    EXPECT_TRUE(dialogActiveAgain());
}

TEST_F(InstellingenFocusTest, ActivatingTheMainWindowBeepsAndBringsTheDialogBack)
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return beeps > 0; }));
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(dialogActiveAgain());
}

TEST_F(InstellingenFocusTest, TheDialogsOwnControlsWorkWithoutABeep)
{
    QTest::mouseClick(dialog->CmdWijzigen, Qt::LeftButton);
    EXPECT_TRUE(dialog->ComboTaal->isEnabled());

    // The drop-down list opens in a window of its own, which is still the
    // dialog's.
    dialog->ComboTaal->showPopup();
    QAbstractItemView* list = dialog->ComboTaal->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    const QRect second = list->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(dialog->ComboTaal->currentIndex(), 1);
    EXPECT_EQ(beeps, 0);
}

TEST_F(InstellingenFocusTest, AfterCloseTheMainWindowTakesClicksAgain)
{
    QTest::mouseClick(dialog->CmdClose, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(dialog.isNull());

    QSignalSpy readAll(window->CmdLeesAlles, &QPushButton::clicked);
    QTest::mouseClick(window->CmdLeesAlles, Qt::LeftButton);
    EXPECT_EQ(readAll.count(), 1);
    EXPECT_EQ(beeps, 0);
}

} // namespace
} // namespace pb::test
