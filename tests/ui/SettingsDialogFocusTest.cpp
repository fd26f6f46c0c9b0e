// While the settings dialog is open the main window takes no input: a click
// on it, or its becoming active, beeps once and brings the dialog back to the
// front; the main window's timers keep running.
#include "SettingsDialogFixture.h"

#include <QApplication>
#include <QListView>
#include <QSignalSpy>
#include <QTest>

namespace pb::test {
namespace {

class SettingsDialogFocusTest : public SettingsDialogTest {
protected:
    void SetUp() override
    {
        SettingsDialogTest::SetUp();
        window->SSTab1->setCurrentIndex(3);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        openDialog();
        dialog->focusKeeper().setBeep([this] { ++beeps; });
        dialog->show();
        ASSERT_TRUE(dialogActiveAgain());
    }

    bool dialogActiveAgain()
    {
        return QTest::qWaitFor([this] { return QApplication::activeWindow() == dialog; });
    }

    // Whether the focus went to the main window and came back to the dialog.
    bool backAfterTheMainWindow(const QSignalSpy& focusChanges)
    {
        return QTest::qWaitFor([&] { return focusChanges.count() >= 2; }) && dialogActiveAgain();
    }

    QPoint readAllCentre() const
    {
        return window->CmdLeesAlles->mapTo(window.get(), window->CmdLeesAlles->rect().center());
    }

    int beeps = 0;
};

TEST_F(SettingsDialogFocusTest, TheMainWindowKeepsTickingButTakesNoInput)
{
    // show() has returned: nothing waits in a loop of the dialog's own.
    EXPECT_TRUE(window->TmrAfhandel->isActive());
    QSignalSpy lampTicks(window->LedTimer, &QTimer::timeout);
    EXPECT_TRUE(lampTicks.wait(2000));

    // Each click beeps once, whether it comes to the button or, as the window
    // system sends it, to its window; a modal dialog would have that one
    // dropped without a beep.
    QSignalSpy readAll(window->CmdLeesAlles, &QPushButton::clicked);
    QTest::mouseClick(window->CmdLeesAlles, Qt::LeftButton);
    EXPECT_EQ(beeps, 1);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, readAllCentre());
    EXPECT_EQ(beeps, 2);
    QTest::keyClick(window->CmdLeesAlles, Qt::Key_Space);
    EXPECT_EQ(readAll.count(), 0);
    EXPECT_EQ(beeps, 2);
    EXPECT_TRUE(dialogActiveAgain());
}

TEST_F(SettingsDialogFocusTest, AClickThatAlsoActivatesTheMainWindowBeepsOnce)
{
    // A window manager activates the window before the press comes in.
    QSignalSpy focusChanges(qApp, &QGuiApplication::focusWindowChanged);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == window.get(); }));
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, readAllCentre());
    EXPECT_TRUE(backAfterTheMainWindow(focusChanges));
    EXPECT_EQ(beeps, 1);

    // Without one the toolkit asks for the activation after the press.
    focusChanges.clear();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, readAllCentre());
    window->activateWindow();
    EXPECT_TRUE(backAfterTheMainWindow(focusChanges));
    EXPECT_EQ(beeps, 2);

    // An activation of its own is an attempt of its own.
    focusChanges.clear();
    window->activateWindow();
    EXPECT_TRUE(backAfterTheMainWindow(focusChanges));
    EXPECT_EQ(beeps, 3);
}

TEST_F(SettingsDialogFocusTest, TheDialogsOwnControlsWorkWithoutABeep)
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

TEST_F(SettingsDialogFocusTest, AfterCloseTheMainWindowTakesClicksAgain)
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
