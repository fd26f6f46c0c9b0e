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
        config.Compoort = 99; // shows that the reader sets every value
        config.SetPath = "stale";
        pb::LeesConfig(config, path());
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
    EXPECT_EQ(c.Compoort, 0);
    EXPECT_EQ(c.LogfileAan, 0);
    EXPECT_EQ(c.SetPath, "");
    EXPECT_EQ(c.UnitType, 1);
    EXPECT_EQ(c.Taal, 0);
    EXPECT_EQ(c.CaseDontShow, 0);
}

TEST_F(ConfigFileTest, ReadsAllSixValues)
{
    put(kFullFile);
    const auto c = read();
    EXPECT_EQ(c.Compoort, 3);
    EXPECT_EQ(c.LogfileAan, 2);
    EXPECT_EQ(c.SetPath, "C:\\Sets");
    EXPECT_EQ(c.UnitType, 5);
    EXPECT_EQ(c.Taal, 1);
    EXPECT_EQ(c.CaseDontShow, 1);
}

TEST_F(ConfigFileTest, OnlyTheLanguageLineLeavesEveryOtherDefault)
{
    put("4       Taal ->2\r\n");
    const auto c = read();
    EXPECT_EQ(c.Taal, 2);
    EXPECT_EQ(c.UnitType, 1);
    EXPECT_EQ(c.Compoort, 0);
    EXPECT_EQ(c.SetPath, "");
}

TEST_F(ConfigFileTest, ReverseOrderReadsTheSame)
{
    QList<QByteArray> lines = kFullFile.split('\n');
    lines.removeLast();
    std::reverse(lines.begin(), lines.end());
    put(lines.join('\n') + '\n');
    const auto c = read();
    EXPECT_EQ(c.Compoort, 3);
    EXPECT_EQ(c.SetPath, "C:\\Sets");
    EXPECT_EQ(c.UnitType, 5);
    EXPECT_EQ(c.CaseDontShow, 1);
}

TEST_F(ConfigFileTest, SetPathIsTakenWholeAfterTheFirstArrow)
{
    put("2       SetPath ->D:\\a->b \r\n");
    EXPECT_EQ(read().SetPath, "D:\\a->b ");
    put("2       SetPath ->\r\n");
    EXPECT_EQ(read().SetPath, "");
}

TEST_F(ConfigFileTest, FractionsRoundHalfToEven)
{
    put("4       Taal ->1.5\r\n");
    EXPECT_EQ(read().Taal, 2);
    put("4       Taal ->2.5\r\n");
    EXPECT_EQ(read().Taal, 2);
}

TEST_F(ConfigFileTest, Key300IsIgnoredAndANegativeKeyEndsReading)
{
    put("300 Taal ->3\r\n4       Taal ->1\r\n-1  stop ->x\r\n3       UnitType ->4\r\n");
    const auto c = read();
    EXPECT_EQ(c.Taal, 1);
    EXPECT_EQ(c.UnitType, 1);
}

TEST_F(ConfigFileTest, ANumberBeyondSixteenBitsKeepsTheDefault)
{
    put("3       UnitType ->70000\r\n0        Compoort ->-40000\r\n4       Taal ->3\r\n");
    const auto c = read();
    EXPECT_EQ(c.UnitType, 1);
    EXPECT_EQ(c.Compoort, 0);
    EXPECT_EQ(c.Taal, 3);
}

TEST_F(ConfigFileTest, NonNumericValuesGiveZero)
{
    put("3       UnitType ->abc\r\n");
    EXPECT_EQ(read().UnitType, 0);
}

TEST_F(ConfigFileTest, WritesTheSixLabelsByteForByte)
{
    pb::ProgramConfig c;
    c.Compoort = 3;
    c.LogfileAan = 2;
    c.SetPath = QString::fromUtf8("C:\\Instellingen\\Française");
    c.UnitType = 1;
    c.Taal = 3;
    c.CaseDontShow = 1;
    pb::SchrijfConfig(c, path());
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
    c.Compoort = 29;
    c.LogfileAan = 2;
    c.SetPath = "/home/tech/sets->x";
    c.UnitType = 6;
    c.Taal = 2;
    c.CaseDontShow = 0;
    pb::SchrijfConfig(c, path());
    const auto back = read();
    EXPECT_EQ(back.Compoort, 29);
    EXPECT_EQ(back.SetPath, c.SetPath);
    EXPECT_EQ(back.UnitType, 6);
    EXPECT_EQ(back.Taal, 2);
}

TEST_F(ConfigFileTest, WritingReplacesTheWholeContent)
{
    put(QByteArray(5000, 'x'));
    pb::SchrijfConfig(pb::ProgramConfig(), path());
    EXPECT_EQ(contents().count("\r\n"), 6);
    EXPECT_FALSE(contents().contains('x'));
}

TEST_F(ConfigFileTest, WritingIntoAMissingFolderChangesNothing)
{
    pb::SchrijfConfig(pb::ProgramConfig(), dir.filePath("gone/Pagerbench.set"));
    EXPECT_FALSE(QFile::exists(dir.filePath("gone/Pagerbench.set")));
}

} // namespace
