#include "FrameBytes.h"
#include "support/CoreState.h"
#include "LinkTexts.h"
#include "QtPrinting.h"
#include "link/protocol/MonitorInput.h"
#include "texts/RowDescription.h"
#include "support/GridFixture.h"
#include "support/ScriptedLine.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using pbtest::Hex;

TEST(CharName, NamesControlBytesAndRubout)
{
    EXPECT_EQ(pb::CharName(0), "[NULL]");
    EXPECT_EQ(pb::CharName(1), "[SOH]");
    EXPECT_EQ(pb::CharName(9), "[HT]");
    EXPECT_EQ(pb::CharName(13), "[CR]");
    EXPECT_EQ(pb::CharName(21), "[NACK]");
    EXPECT_EQ(pb::CharName(27), "[ESC]");
    EXPECT_EQ(pb::CharName(31), "[US]");
    EXPECT_EQ(pb::CharName(127), "[RUBOUT]");
}

TEST(CharName, OtherBytesAreTheirWindows1252Character)
{
    EXPECT_EQ(pb::CharName(32), " ");
    EXPECT_EQ(pb::CharName(65), "A");
    EXPECT_EQ(pb::CharName(126), "~");
    EXPECT_EQ(pb::CharName(0x80), QString(QChar(0x20AC)));
    EXPECT_EQ(pb::CharName(0xE9), QString(QChar(0xE9)));
    EXPECT_EQ(pb::CharName(0xFF), QString(QChar(0xFF)));
}

class MonitorInputTest : public ::testing::Test {
protected:
    MonitorInputTest()
    {
        state.config.logging = 1;
        state.folder.path = logDir.path();
    }
    QStringList logged() const
    {
        QStringList lines;
        for (int i = 0; i < state.log.lineCount; ++i)
            lines << state.log.lines[i].mid(9); // without the time of day
        return lines;
    }

    QTemporaryDir logDir;
    pbtest::CoreState state;
    pbtest::ScriptedLine line;
    QString MonitorLine;
};

TEST_F(MonitorInputTest, CrAndLfEndALineAndAnUnfinishedLineWaits)
{
    line.Arrive(Hex("30 31 0D 0A 32"));
    pb::MonitorInput(line, MonitorLine, state.logfile);
    EXPECT_EQ(logged(), QStringList{"01"});
    EXPECT_EQ(MonitorLine, "2");
    EXPECT_TRUE(line.waiting.empty());

    line.Arrive(Hex("33 0A"));
    pb::MonitorInput(line, MonitorLine, state.logfile);
    EXPECT_EQ(logged(), (QStringList{"01", "23"}));
    EXPECT_TRUE(MonitorLine.isEmpty());
}

TEST_F(MonitorInputTest, LongTextIsLoggedOnceItPasses130Characters)
{
    line.Arrive(QByteArray(200, 'x'));
    pb::MonitorInput(line, MonitorLine, state.logfile);
    ASSERT_EQ(logged().size(), 1);
    EXPECT_EQ(logged()[0], QString(131, u'x'));
    EXPECT_EQ(MonitorLine, QString(69, u'x'));
}

TEST_F(MonitorInputTest, TheLimitCountsRenderedCharacters)
{
    line.Arrive(QByteArray(128, 'x') + Hex("02 79"));
    pb::MonitorInput(line, MonitorLine, state.logfile);
    ASSERT_EQ(logged().size(), 1);
    EXPECT_EQ(logged()[0], QString(128, u'x') + "[STX]");
    EXPECT_EQ(MonitorLine, "y");
}

TEST_F(MonitorInputTest, EmptyLinesAreNotLogged)
{
    line.Arrive(Hex("0D 0A 0A 0D"));
    pb::MonitorInput(line, MonitorLine, state.logfile);
    EXPECT_TRUE(logged().isEmpty());
}

TEST(RowDescription, DescribesAVisibleRowWithItsTextAndPosition)
{
    pbtest::GridFixture grid;
    grid.row(4, 4);
    grid.combo(4)->setCurrentIndex(2);
    const pb::TextTable texts = pbtest::EnglishLinkTexts();
    EXPECT_EQ(pb::RowDescription(grid.grid, texts, 4), "[4/2: 4 Value: 2] ");
}

TEST(RowDescription, IsEmptyForHiddenRowsRowsShowingNothingAndRowsOutsideTheGrid)
{
    pbtest::GridFixture grid;
    grid.allRows(3);
    grid.row(6, 3, false);
    grid.combo(25)->setCurrentIndex(1);
    const pb::TextTable texts = pbtest::EnglishLinkTexts();
    EXPECT_TRUE(pb::RowDescription(grid.grid, texts, 6).isEmpty());
    EXPECT_TRUE(pb::RowDescription(grid.grid, texts, 24).isEmpty()) << "nothing selected";
    EXPECT_TRUE(pb::RowDescription(grid.grid, texts, 26).isEmpty());
    EXPECT_TRUE(pb::RowDescription(grid.grid, texts, -1).isEmpty());
    EXPECT_FALSE(pb::RowDescription(grid.grid, texts, 25).isEmpty());
}

} // namespace
