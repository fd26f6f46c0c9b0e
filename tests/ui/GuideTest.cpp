// The housing-opening guide: its three steps, its pictures, the box that
// stops it from showing at start-up, and keeping the focus.
#include "MainWindowFixture.h"
#include "files/TextFile.h"
#include "ui/HousingGuide.h"

#include <QApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace pb::test {
namespace {

class GuideTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        state.folder.path = dir.path();
        int16_t english = 0;
        LoadTexts(state.texts, english);
    }
    void TearDown() override { delete guide.data(); }

    HousingGuide* open()
    {
        guide = new HousingGuide(state);
        return guide;
    }

    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // Which pictures are shown, step 1 first.
    std::vector<bool> shown() const
    {
        return {!guide->Image1->isHidden(), !guide->Image2->isHidden(), !guide->Image3->isHidden()};
    }

    QStringList configFile() const { return ReadTextLines(state.folder.configFile()).value_or(QStringList{}); }

    AppState state;
    QTemporaryDir dir;
    QPointer<HousingGuide> guide;
};

TEST_F(GuideTest, OpensAtStepOneWithItsCaptionsAndPictures)
{
    open();
    EXPECT_EQ(guide->objectName(), QStringLiteral("frmOpenenBehuizing"));
    EXPECT_EQ(guide->size(), QSize(405, 418));
    EXPECT_EQ(guide->windowTitle(), QStringLiteral("Opening the diagnose cover"));
    EXPECT_EQ(guide->CmdVolgende->text(), QStringLiteral("Next"));
    EXPECT_EQ(guide->CmdVorige->text(), QStringLiteral("Previous"));
    EXPECT_EQ(guide->CmdClose->text(), QStringLiteral("Close"));
    EXPECT_EQ(guide->CheckDontShow->text(), QStringLiteral("Don't show this anymore"));
    EXPECT_FALSE(guide->CheckDontShow->isChecked());

    EXPECT_EQ(shown(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(guide->currentStep(), 1);
    EXPECT_EQ(guide->LabelBeschrijving->text(), QStringLiteral("Slide the lid up a bit."));

    for (QLabel* picture : {guide->Image1, guide->Image2, guide->Image3}) {
        EXPECT_EQ(picture->geometry(), guide->Image1->geometry());
        EXPECT_TRUE(picture->hasScaledContents());
        EXPECT_FALSE(picture->pixmap().isNull()) << picture->objectName().toStdString();
    }
    // Three different pictures, not one loaded three times.
    EXPECT_NE(guide->Image1->pixmap().toImage(), guide->Image2->pixmap().toImage());
    EXPECT_NE(guide->Image2->pixmap().toImage(), guide->Image3->pixmap().toImage());
}

TEST_F(GuideTest, NextNextPreviousShowsStepTwo)
{
    open();
    click(guide->CmdVolgende);
    click(guide->CmdVolgende);
    EXPECT_EQ(shown(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(guide->LabelBeschrijving->text(), QStringLiteral("Connect the diagnose port to the computer."));
    click(guide->CmdVorige);
    EXPECT_EQ(shown(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(guide->LabelBeschrijving->text(),
              QStringLiteral("Turn a screwdriver into one of the holes indicated."));
}

TEST_F(GuideTest, PreviousAtTheFirstStepAndNextAtTheLastChangeNothing)
{
    open();
    click(guide->CmdVorige);
    EXPECT_EQ(shown(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(guide->LabelBeschrijving->text(), state.texts[131] + QStringLiteral("."));

    for (int i = 0; i < 4; ++i)
        click(guide->CmdVolgende);
    EXPECT_EQ(shown(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(guide->LabelBeschrijving->text(), state.texts[133] + QStringLiteral("."));
    EXPECT_TRUE(guide->CmdVolgende->isEnabled());
    EXPECT_TRUE(guide->CmdVorige->isEnabled());
}

TEST_F(GuideTest, TextsFollowTheActiveLanguage)
{
    int16_t dutch = 1;
    LoadTexts(state.texts, dutch);
    open();
    click(guide->CmdVolgende);
    EXPECT_EQ(guide->CmdVolgende->text(), state.texts[127]);
    EXPECT_EQ(guide->LabelBeschrijving->text(), state.texts[132] + QStringLiteral("."));
    EXPECT_NE(state.texts[132], QStringLiteral("Turn a screwdriver into one of the holes indicated"));
}

TEST_F(GuideTest, ClosingWithTheBoxTickedWritesTheSwitch)
{
    state.config.portIndex = 4;
    state.config.language = 2;
    open();
    guide->show();
    guide->CheckDontShow->setChecked(true);
    click(guide->CmdClose);
    EXPECT_FALSE(guide->isVisible());
    EXPECT_EQ(state.config.hideHousingGuide, 1);
    const QStringList lines = configFile();
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], QStringLiteral("0        Compoort ->4"));
    EXPECT_EQ(lines[4], QStringLiteral("4       Taal ->2"));
    EXPECT_EQ(lines[5], QStringLiteral("5       Case ->1"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guide.isNull());
}

TEST_F(GuideTest, ClosingWithTheBoxClearWritesNothing)
{
    open();
    click(guide->CmdClose);
    EXPECT_EQ(state.config.hideHousingGuide, 0);
    EXPECT_TRUE(configFile().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guide.isNull());
}

class GuideFocusTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        guide = new HousingGuide(state, window.get());
        guide->focusKeeper().setBeep([this] { ++beeps; });
    }

    QPointer<HousingGuide> guide;
    int beeps = 0;
};

TEST_F(GuideFocusTest, TheMainWindowShownAfterTheGuideLeavesItInFrontWithoutABeep)
{
    // The start-up order: the guide comes up during the main window's load.
    guide->show();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == guide; }));
    EXPECT_EQ(beeps, 0);

    window->SSTab1->setCurrentIndex(3);
    QSignalSpy clearLog(window->CmdWisLogVenster, &QPushButton::clicked);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      window->CmdWisLogVenster->mapTo(window.get(), window->CmdWisLogVenster->rect().center()));
    EXPECT_EQ(clearLog.count(), 0);
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == guide; }));
}

} // namespace
} // namespace pb::test
