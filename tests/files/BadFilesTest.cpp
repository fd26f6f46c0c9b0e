// The configuration and settings readers against files no program of ours
// writes: empty, binary, zeroed, saved by other editors, huge, hand-edited
// with odd numbers, or not a file at all. Whatever they hold, reading ends,
// and every value is either taken from the file or left at its default.
#include "files/ConfigFile.h"
#include "support/CoreState.h"
#include "files/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/Garbage.h"
#include <map>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include "support/GridFixture.h"

namespace {

using pbtest::Garbage;
using pbtest::kBom;

// A string literal with its NUL bytes, without the closing one.
template <std::size_t N>
QByteArray Bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

class BadFilesTest : public ::testing::Test {
protected:
    BadFilesTest() { grid.allRows(8); }

    QString path(const QString& name) const { return dir.filePath(name); }

    void put(const QString& name, const QByteArray& bytes)
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    pb::ProgramConfig config(const QByteArray& bytes)
    {
        put("Pagerbench.set", bytes);
        pb::ProgramConfig c;
        c.portIndex = 99; // the reader must set every value, not keep these
        c.unitType = 99;
        c.settingsFolder = "stale";
        pb::ReadConfig(c, path("Pagerbench.set"));
        return c;
    }

    // Reads the bytes as a settings file over rows that all held a value,
    // confirmed by the unit: every row must be read anew and unconfirmed.
    void settings(const QByteArray& bytes)
    {
        put("x.set", bytes);
        values.FileSettings.fill(77);
        values.SettingsInUnit.fill(5);
        pb::ReadSettingsFile(grid.grid, values, path("x.set"));
    }

    static void expectDefaults(const pb::ProgramConfig& c)
    {
        EXPECT_EQ(c.portIndex, 0);
        EXPECT_EQ(c.logging, 0);
        EXPECT_EQ(c.settingsFolder, "");
        EXPECT_EQ(c.unitType, 1);
        EXPECT_EQ(c.language, 0);
        EXPECT_EQ(c.hideHousingGuide, 0);
    }

    // Every file row 0 except the ones named, and nothing confirmed.
    void expectRows(std::map<int, int16_t> rows = {}) const
    {
        for (int r = 0; r < pb::kFileRows; ++r) {
            const int16_t expected = rows.count(r) ? rows.at(r) : int16_t(0);
            EXPECT_EQ(values.FileSettings[r], expected) << "row " << r;
        }
        for (int r = 0; r < pb::kRowSlots; ++r)
            EXPECT_EQ(values.SettingsInUnit[r], -1) << "row " << r;
    }

    static QByteArray fullConfig(const char* lineEnd)
    {
        const QStringList lines = {"0        Compoort ->4", "1      Logfile ->2", "2       SetPath ->/srv/sets",
                                   "3       UnitType ->5",  "4       Taal ->3",    "5       Case ->1"};
        return lines.join(QString::fromLatin1(lineEnd)).toLatin1() + lineEnd;
    }
    static void expectFullConfig(const pb::ProgramConfig& c)
    {
        EXPECT_EQ(c.portIndex, 4);
        EXPECT_EQ(c.logging, 2);
        EXPECT_EQ(c.settingsFolder, "/srv/sets");
        EXPECT_EQ(c.unitType, 5);
        EXPECT_EQ(c.language, 3);
        EXPECT_EQ(c.hideHousingGuide, 1);
    }

    QTemporaryDir dir;
    pbtest::GridFixture grid;
    pb::RowValues values;
};

TEST_F(BadFilesTest, AnEmptyFileGivesTheDefaults)
{
    expectDefaults(config(""));
    settings("");
    expectRows();
}

TEST_F(BadFilesTest, BinaryGarbageNamesNoKeyAndALineAfterItStillCounts)
{
    expectDefaults(config(Garbage(64 * 1024, false)));
    settings(Garbage(64 * 1024, false));
    expectRows();

    const pb::ProgramConfig c = config(Garbage(4096, false) + "\r\n4       Taal ->2\r\n");
    EXPECT_EQ(c.language, 2);
    EXPECT_EQ(c.unitType, 1);
    settings(Garbage(4096, false) + "\n3    ->2\n");
    expectRows({{3, 2}});
}

TEST_F(BadFilesTest, GarbageWithArrowsLeavesGridAndMemoryAgreeing)
{
    // Whatever the lines say, the rows end up holding a position their list
    // can show, in memory and on screen alike.
    for (int seed = 1; seed <= 4; ++seed) {
        settings(Garbage(seed * 50000, true));
        for (int r = 0; r < pb::kGridRows; ++r) {
            EXPECT_GE(values.UnitSettings[r], -1) << "row " << r;
            EXPECT_LT(values.UnitSettings[r], 8) << "row " << r;
            EXPECT_EQ(values.UnitSettings[r], grid.combo(r)->currentIndex()) << "row " << r;
        }
        for (int r = 0; r < pb::kRowSlots; ++r)
            EXPECT_EQ(values.SettingsInUnit[r], -1);
    }
}

TEST_F(BadFilesTest, AFileZeroedByACrashReadsAsDefaults)
{
    expectDefaults(config(QByteArray(4096, '\0')));
    settings(QByteArray(4096, '\0'));
    expectRows();
}

TEST_F(BadFilesTest, NulBytesInsideALineDoNotEndIt)
{
    const pb::ProgramConfig c = config(Bytes("4\0\0\0    Taal ->2\0\r\n"));
    EXPECT_EQ(c.language, 2);
    settings(Bytes("6\0  ->\0\r\n7    ->3\0\0\r\n"));
    expectRows({{7, 3}});
}

// Notepad saves "UTF-8" with these three bytes in front. Read as Windows-1252
// they would hide the first line's key, and that line's value would land on
// key 0 instead.
TEST_F(BadFilesTest, AByteOrderMarkDoesNotHideTheFirstKey)
{
    const pb::ProgramConfig c = config(kBom + "3       UnitType ->4\r\n4       Taal ->1\r\n");
    EXPECT_EQ(c.unitType, 4);
    EXPECT_EQ(c.portIndex, 0);
    EXPECT_EQ(c.language, 1);

    settings(kBom + "5    ->3\r\n6    ->1\r\n");
    expectRows({{5, 3}, {6, 1}});
}

TEST_F(BadFilesTest, OnlyALeadingByteOrderMarkIsDropped)
{
    // Elsewhere the bytes are ordinary Windows-1252 text.
    const pb::ProgramConfig c = config("2       SetPath ->" + kBom + "\r\n");
    EXPECT_EQ(c.settingsFolder, QString::fromUtf8("ï»¿"));
}

TEST_F(BadFilesTest, LfOnlyAndCrOnlyLineEndsReadLikeCrLf)
{
    expectFullConfig(config(fullConfig("\n")));
    expectFullConfig(config(fullConfig("\r")));
    expectFullConfig(config(fullConfig("\r\n")));

    for (const char* end : {"\n", "\r"}) {
        QByteArray file;
        std::map<int, int16_t> rows;
        for (int r = 0; r < pb::kFileRows; ++r) {
            file += QByteArray::number(r) + "    ->" + QByteArray::number(r % 7) + end;
            rows[r] = int16_t(r % 7);
        }
        settings(file);
        expectRows(rows);
    }
}

TEST_F(BadFilesTest, ATenMegabyteLineIsReadWhole)
{
    const int tenMegabytes = 10 * 1024 * 1024;
    const pb::ProgramConfig c =
        config("2       SetPath ->" + QByteArray(tenMegabytes, 'x') + "\r\n4       Taal ->3\r\n");
    EXPECT_EQ(c.settingsFolder.size(), tenMegabytes);
    EXPECT_EQ(c.language, 3);

    // Ten million digits are no 16-bit number: the row counts as 0. The last
    // line, a million blanks before its number, has no line end at all.
    settings("7    ->" + QByteArray(tenMegabytes, '9') + "\r\n8    ->2\r\n9    ->" + QByteArray(1000000, ' ') + "4");
    expectRows({{8, 2}, {9, 4}});
}

TEST_F(BadFilesTest, AHundredThousandLinesLeaveTheLastValueOfEachKey)
{
    QByteArray configFile;
    for (int i = 0; i < 100000; ++i)
        configFile += "5       Case ->" + QByteArray::number(i % 3) + "\r\n";
    EXPECT_EQ(config(configFile).hideHousingGuide, 99999 % 3);

    QByteArray settingsFile;
    std::map<int, int16_t> rows;
    for (int i = 0; i < 100000; ++i) {
        const int row = i % pb::kFileRows;
        settingsFile += QByteArray::number(row) + "    ->" + QByteArray::number(i / pb::kFileRows) + "\r\n";
        rows[row] = int16_t(i / pb::kFileRows);
    }
    settings(settingsFile);
    expectRows(rows);
}

TEST_F(BadFilesTest, NumbersBeyondSixteenBitsNeverWrapAround)
{
    // 65537 and 65539 would read as 1 and 3 if cut to 16 bits.
    const pb::ProgramConfig c = config("0        Compoort ->65537\r\n3       UnitType ->65539\r\n"
                                       "4       Taal ->-65535\r\n5       Case ->99999999999999999999999\r\n");
    expectDefaults(c);

    settings("1    ->65537\r\n2    ->-65535\r\n3    ->32768\r\n4    ->32767\r\n5    ->-32768\r\n"
             "6    ->1e400\r\n");
    expectRows({{4, 32767}, {5, -32768}, {6, 1}});
}

TEST_F(BadFilesTest, KeysBeyondTheFirstFourCharactersAreNotRead)
{
    // The key is the number in the first four characters: 7000 here, skipped.
    settings("70000 ->5\r\n3    ->1\r\n");
    expectRows({{3, 1}});
}

TEST_F(BadFilesTest, NegativeAndFractionalNumbers)
{
    const pb::ProgramConfig c = config("0        Compoort ->-3\r\n3       UnitType ->2.5\r\n"
                                       "4       Taal ->-0.5\r\n5       Case ->3.5\r\n1      Logfile ->.5\r\n");
    EXPECT_EQ(c.portIndex, -3) << "range checks belong to the users of the value";
    EXPECT_EQ(c.unitType, 2);
    EXPECT_EQ(c.language, 0);
    EXPECT_EQ(c.hideHousingGuide, 4);
    EXPECT_EQ(c.logging, 0);

    // -0.4 rounds to key 0 and reading goes on; -0.6 rounds to -1 and ends it.
    settings("2    ->-1\r\n3    ->-2.5\r\n4    ->7.49\r\n-0.4 ->6\r\n5    ->1\r\n-0.6 ->9\r\n8    ->1\r\n");
    expectRows({{0, 6}, {2, -1}, {3, -2}, {4, 7}, {5, 1}});
    EXPECT_EQ(grid.combo(2)->currentIndex(), -1) << "-1 is no selection";
    EXPECT_EQ(grid.combo(3)->currentIndex(), 0) << "no option has position -2";
    EXPECT_EQ(grid.combo(4)->currentIndex(), 7);
}

TEST_F(BadFilesTest, TabsInLabels)
{
    // Leading tabs are skipped like blanks, a tab ends the number, and a
    // value may start with tabs. Four tabs leave no number in the first four
    // characters: key 0.
    const pb::ProgramConfig c = config("3\tUnitType\t->\t4\r\n\t4\tTaal\t->2\r\n\t\t\t\t5\tCase ->7\r\n");
    EXPECT_EQ(c.unitType, 4);
    EXPECT_EQ(c.language, 2);
    EXPECT_EQ(c.hideHousingGuide, 0);
    EXPECT_EQ(c.portIndex, 7);

    settings("9\t->\t3\r\n\t10->2\r\n");
    expectRows({{9, 3}, {10, 2}});
}

TEST_F(BadFilesTest, AFolderWhereTheFileShouldBeReadsAsNoFileAndIsNotReplaced)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath("Pagerbench.set/inside"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("x.set/inside"));

    pb::ProgramConfig c;
    c.language = 3;
    pb::ReadConfig(c, path("Pagerbench.set"));
    expectDefaults(c);
    values.SettingsInUnit.fill(5);
    pb::ReadSettingsFile(grid.grid, values, path("x.set"));
    expectRows();

    c.language = 2;
    pb::WriteConfig(c, path("Pagerbench.set"));
    pb::WriteSettingsFile(grid.grid, values, path("x.set"));
    EXPECT_TRUE(QFileInfo(path("Pagerbench.set/inside")).isDir());
    EXPECT_TRUE(QFileInfo(path("x.set/inside")).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList({"Pagerbench.set", "x.set"}))
        << "no temporary file left behind";
}

// A named pipe without a writer would block the open for ever, and with it
// the whole program. Should this come back, the test hangs until ctest's
// time-out.
#ifdef Q_OS_UNIX // Windows has no named pipes among the files
TEST_F(BadFilesTest, ANamedPipeIsNotWaitedFor)
{
    ASSERT_EQ(mkfifo(path("Pagerbench.set").toLocal8Bit().constData(), 0600), 0);
    pb::ProgramConfig c;
    pb::ReadConfig(c, path("Pagerbench.set"));
    expectDefaults(c);
}
#endif

TEST_F(BadFilesTest, NothingBeyondTheFirstSixteenMegabytesIsRead)
{
    // A file chosen by mistake may be gigabytes long; the reader stops early.
    QByteArray file = "4       Taal ->2\r\n";
    file += QByteArray(20 * 1024 * 1024, 'z');
    file += "\r\n3       UnitType ->5\r\n";
    const pb::ProgramConfig c = config(file);
    EXPECT_EQ(c.language, 2);
    EXPECT_EQ(c.unitType, 1);
}

} // namespace
