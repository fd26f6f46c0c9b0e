// The About box: version line, logo, and the double-click that steps the
// service level of the main window.
#include "MainWindowFixture.h"
#include "app/Startup.h"
#include "ui/AboutBox.h"

#include <QApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

namespace pb::test {
namespace {

class AboutTest : public MainWindowTest {
protected:
    AboutBox* open(int16_t language = 0)
    {
        loadLanguage(language);
        about = new AboutBox(state, *window);
        about->focusKeeper().setBeep([this] { ++beeps; });
        return about;
    }

    bool serviceShown() const
    {
        return !window->FrameDebug1->isHidden() && !window->FrameDebug2->isHidden() &&
               window->CmdInstellingenOpslaan->isEnabled();
    }
    bool serviceHidden() const
    {
        return window->FrameDebug1->isHidden() && window->FrameDebug2->isHidden() &&
               !window->CmdInstellingenOpslaan->isEnabled();
    }

    QPointer<AboutBox> about;
    int beeps = 0;
};

TEST_F(AboutTest, ShowsTheVersionAndTheLogo)
{
    open();
    EXPECT_EQ(about->objectName(), QStringLiteral("frmAbout"));
    EXPECT_EQ(about->size(), QSize(399, 167));
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(about->CmdSluit->text(), QStringLiteral("Close"));
    EXPECT_EQ(about->Label4->text(), QStringLiteral("SW version 2.6"));
    EXPECT_EQ(about->FrameLogo->title(), QString());
    EXPECT_FALSE(about->Image1->pixmap().isNull());
    EXPECT_TRUE(about->Image1->hasScaledContents());
    EXPECT_FALSE(about->LabelMaker->text().isEmpty());
    // The main window's icon, the program's own picture, reaches its secondary windows.
    EXPECT_TRUE(about->windowIcon().availableSizes().contains(QSize(128, 128)));
}

TEST_F(AboutTest, TheVersionLineFollowsTheLanguage)
{
    open(1);
    EXPECT_EQ(about->Label4->text(), QStringLiteral("SW versie 2.6"));
    EXPECT_EQ(about->windowTitle(), QStringLiteral("Info"));
    EXPECT_EQ(about->CmdSluit->text(), QStringLiteral("Sluiten"));
}

TEST_F(AboutTest, DoubleClicksOnTheLogoCycleTheServiceLevel)
{
    state.serviceLevel = 0;
    ApplyServiceLevel(state, *window);
    window->SSTab1->setCurrentIndex(2);
    open();

    QTest::mouseDClick(about->Image1, Qt::LeftButton);
    EXPECT_EQ(state.serviceLevel, 1);
    EXPECT_TRUE(serviceHidden());

    QTest::mouseDClick(about->Image1, Qt::LeftButton);
    EXPECT_EQ(state.serviceLevel, 2);
    EXPECT_TRUE(serviceShown());

    // The frame around the logo takes the double-click as well.
    QTest::mouseDClick(about->FrameLogo, Qt::LeftButton, {}, QPoint(300, 20));
    EXPECT_EQ(state.serviceLevel, 0);
    EXPECT_TRUE(serviceHidden());

    // Only the service controls change, not the page the main window shows.
    EXPECT_EQ(window->SSTab1->currentIndex(), 2);
}

TEST_F(AboutTest, CloseDestroysTheBox)
{
    open();
    about->show();
    QTest::mouseClick(about->CmdSluit, Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull());
}

TEST_F(AboutTest, AClickOnTheMainWindowBeepsWhileTheBoxIsOpen)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    open();
    about->show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == about; }));

    // Through the window, as the window system delivers it: a modal box
    // would have it dropped without a beep.
    window->SSTab1->setCurrentIndex(3);
    QSignalSpy readAll(window->CmdLeesAlles, &QPushButton::clicked);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      window->CmdLeesAlles->mapTo(window.get(), window->CmdLeesAlles->rect().center()));
    EXPECT_EQ(readAll.count(), 0);
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == about; }));

    // The box's own double-click is no click on another window.
    QTest::mouseDClick(about->Image1, Qt::LeftButton);
    EXPECT_EQ(beeps, 1);
}

} // namespace
} // namespace pb::test
