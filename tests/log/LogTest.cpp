#include "log/LogBuffer.h"
#include "support/CoreState.h"
#include "log/Logfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(LogBuffer, FillsFromTheTopUntil25Lines)
{
    pb::LogBuffer buffer;
    pb::AddLogLine(buffer, "a");
    pb::AddLogLine(buffer, "b");
    EXPECT_EQ(buffer.lineCount, 2);
    EXPECT_EQ(buffer.lines[0], "a");
    EXPECT_EQ(buffer.lines[1], "b");
    EXPECT_TRUE(buffer.lines[2].isEmpty());
}

TEST(LogBuffer, After30LinesHoldsLines6To30InOrder)
{
    pb::LogBuffer buffer;
    for (int i = 1; i <= 30; ++i)
        pb::AddLogLine(buffer, QString::number(i));
    EXPECT_EQ(buffer.lineCount, 25);
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(buffer.lines[i], QString::number(i + 6)) << i;
    EXPECT_TRUE(buffer.lines[25].isEmpty());
}

TEST(LogBuffer, ClearEmptiesEveryLine)
{
    pb::LogBuffer buffer;
    for (int i = 0; i < 27; ++i)
        pb::AddLogLine(buffer, "x");
    pb::ClearLogLines(buffer);
    EXPECT_EQ(buffer.lineCount, 0);
    for (int i = 0; i < 25; ++i)
        EXPECT_TRUE(buffer.lines[i].isEmpty());
}

class WriteLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        state.folder.path = dir.path();
        state.config.logging = 2;
        at(QDateTime(QDate(2027, 3, 1), QTime(9, 5, 7)));
    }
    void at(const QDateTime& moment)
    {
        state.now = [moment] { return moment; };
    }
    QByteArray file(const QString& name) const
    {
        QFile f(dir.filePath("Log/" + name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir;
    pbtest::CoreState state;
};

TEST_F(WriteLogTest, StampsTheLineAndAppendsItToTheDaysFile)
{
    state.logfile.WriteLog("abc");
    EXPECT_EQ(file("01032027.log"), QByteArray("09:05:07 abc\r\n"));
    EXPECT_EQ(state.log.lines[0], "09:05:07 abc");
    EXPECT_EQ(state.log.lineCount, 1);
}

TEST_F(WriteLogTest, LinesOfOneDayGoToOneFileAndMidnightStartsANewOne)
{
    at(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 59)));
    state.logfile.WriteLog("late");
    at(QDateTime(QDate(2026, 12, 8), QTime(0, 0, 0)));
    state.logfile.WriteLog("midnight");
    at(QDateTime(QDate(2026, 12, 8), QTime(0, 0, 1)));
    state.logfile.WriteLog("early");
    EXPECT_EQ(file("07122026.log"), QByteArray("23:59:59 late\r\n"));
    EXPECT_EQ(file("08122026.log"), QByteArray("00:00:00 midnight\r\n00:00:01 early\r\n"));
}

TEST_F(WriteLogTest, WithLoggingOffNothingIsStoredOrWritten)
{
    state.config.logging = 0;
    state.logfile.WriteLog("abc");
    EXPECT_EQ(state.log.lineCount, 0);
    EXPECT_TRUE(state.log.lines[0].isEmpty());
    EXPECT_FALSE(QDir(dir.filePath("Log")).exists());
}

TEST_F(WriteLogTest, AccentsAreWrittenInWindows1252)
{
    state.logfile.WriteLog(QString::fromUtf8("eröffnet mit"));
    EXPECT_EQ(file("01032027.log"), QByteArray("09:05:07 er\xF6" "ffnet mit\r\n"));
}

TEST_F(WriteLogTest, AFileNamedLogKeepsTheMessageWindowGoing)
{
    QFile blocker(dir.filePath("Log"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("keep me");
    blocker.close();
    state.logfile.WriteLog("abc");
    EXPECT_EQ(state.log.lines[0], "09:05:07 abc");
    ASSERT_TRUE(blocker.open(QIODevice::ReadOnly));
    EXPECT_EQ(blocker.readAll(), QByteArray("keep me"));
}

TEST(LogFileName, DayMonthYear)
{
    EXPECT_EQ(pb::LogFileName(QDate(2026, 12, 7)), "07122026.log");
    EXPECT_EQ(pb::LogFileName(QDate(2027, 3, 1)), "01032027.log");
}

} // namespace
