#include "files/ConfigFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ConfigFileTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath("Pagerbench.set"); }
    void put(const QByteArray& bytes)
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    pb::ProgramConfig read()
    {
        pb::ProgramConfig config;
        config.portIndex = 99; // shows that the reader sets every value
        config.settingsFolder = "stale";
        pb::ReadConfig(config, path());
        return config;
    }
    QByteArray contents() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

const QByteArray kFullFile = "0        Compoort ->3\r\n"
                             "1      Logfile ->2\r\n"
                             "2       SetPath ->C:\\Sets\r\n"
                             "3       UnitType ->5\r\n"
                             "4       Taal ->1\r\n"
                             "5       Case ->1\r\n";

TEST_F(ConfigFileTest, NoFileGivesTheDefaults)
{
    const auto c = read();
    EXPECT_EQ(c.portIndex, 0);
    EXPECT_EQ(c.logging, 0);
    EXPECT_EQ(c.settingsFolder, "");
    EXPECT_EQ(c.unitType, 1);
    EXPECT_EQ(c.language, 0);
    EXPECT_EQ(c.hideHousingGuide, 0);
}

TEST_F(ConfigFileTest, ReadsAllSixValues)
{
    put(kFullFile);
    const auto c = read();
    EXPECT_EQ(c.portIndex, 3);
    EXPECT_EQ(c.logging, 2);
    EXPECT_EQ(c.settingsFolder, "C:\\Sets");
    EXPECT_EQ(c.unitType, 5);
    EXPECT_EQ(c.language, 1);
    EXPECT_EQ(c.hideHousingGuide, 1);
}

TEST_F(ConfigFileTest, OnlyTheLanguageLineLeavesEveryOtherDefault)
{
    put("4       Taal ->2\r\n");
    const auto c = read();
    EXPECT_EQ(c.language, 2);
    EXPECT_EQ(c.unitType, 1);
    EXPECT_EQ(c.portIndex, 0);
    EXPECT_EQ(c.settingsFolder, "");
}

TEST_F(ConfigFileTest, ReverseOrderReadsTheSame)
{
    QList<QByteArray> lines = kFullFile.split('\n');
    lines.removeLast();
    std::reverse(lines.begin(), lines.end());
    put(lines.join('\n') + '\n');
    const auto c = read();
    EXPECT_EQ(c.portIndex, 3);
    EXPECT_EQ(c.settingsFolder, "C:\\Sets");
    EXPECT_EQ(c.unitType, 5);
    EXPECT_EQ(c.hideHousingGuide, 1);
}

TEST_F(ConfigFileTest, SetPathIsTakenWholeAfterTheFirstArrow)
{
    put("2       SetPath ->D:\\a->b \r\n");
    EXPECT_EQ(read().settingsFolder, "D:\\a->b ");
    put("2       SetPath ->\r\n");
    EXPECT_EQ(read().settingsFolder, "");
}

TEST_F(ConfigFileTest, FractionsRoundHalfToEven)
{
    put("4       Taal ->1.5\r\n");
    EXPECT_EQ(read().language, 2);
    put("4       Taal ->2.5\r\n");
    EXPECT_EQ(read().language, 2);
}

TEST_F(ConfigFileTest, Key300IsIgnoredAndANegativeKeyEndsReading)
{
    put("300 Taal ->3\r\n4       Taal ->1\r\n-1  stop ->x\r\n3       UnitType ->4\r\n");
    const auto c = read();
    EXPECT_EQ(c.language, 1);
    EXPECT_EQ(c.unitType, 1);
}

TEST_F(ConfigFileTest, ANumberBeyondSixteenBitsKeepsTheDefault)
{
    put("3       UnitType ->70000\r\n0        Compoort ->-40000\r\n4       Taal ->3\r\n");
    const auto c = read();
    EXPECT_EQ(c.unitType, 1);
    EXPECT_EQ(c.portIndex, 0);
    EXPECT_EQ(c.language, 3);
}

TEST_F(ConfigFileTest, NonNumericValuesGiveZero)
{
    put("3       UnitType ->abc\r\n");
    EXPECT_EQ(read().unitType, 0);
}

TEST_F(ConfigFileTest, WritesTheSixLabelsByteForByte)
{
    pb::ProgramConfig c;
    c.portIndex = 3;
    c.logging = 2;
    c.settingsFolder = QString::fromUtf8("C:\\Instellingen\\Française");
    c.unitType = 1;
    c.language = 3;
    c.hideHousingGuide = 1;
    pb::WriteConfig(c, path());
    EXPECT_EQ(contents(), QByteArray("0        Compoort ->3\r\n"
                                     "1      Logfile ->2\r\n"
                                     "2       SetPath ->C:\\Instellingen\\Fran\xE7" "aise\r\n"
                                     "3       UnitType ->1\r\n"
                                     "4       Taal ->3\r\n"
                                     "5       Case ->1\r\n"));
}

TEST_F(ConfigFileTest, WriteThenReadGivesTheSameValues)
{
    pb::ProgramConfig c;
    c.portIndex = 29;
    c.logging = 2;
    c.settingsFolder = "/home/tech/sets->x";
    c.unitType = 6;
    c.language = 2;
    c.hideHousingGuide = 0;
    pb::WriteConfig(c, path());
    const auto back = read();
    EXPECT_EQ(back.portIndex, 29);
    EXPECT_EQ(back.settingsFolder, c.settingsFolder);
    EXPECT_EQ(back.unitType, 6);
    EXPECT_EQ(back.language, 2);
}

TEST_F(ConfigFileTest, WritingReplacesTheWholeContent)
{
    put(QByteArray(5000, 'x'));
    pb::WriteConfig(pb::ProgramConfig(), path());
    EXPECT_EQ(contents().count("\r\n"), 6);
    EXPECT_FALSE(contents().contains('x'));
}

TEST_F(ConfigFileTest, WritingIntoAMissingFolderChangesNothing)
{
    pb::WriteConfig(pb::ProgramConfig(), dir.filePath("gone/Pagerbench.set"));
    EXPECT_FALSE(QFile::exists(dir.filePath("gone/Pagerbench.set")));
}

} // namespace
