#include "files/SettingsFile.h"
#include "support/CoreState.h"
#include "settings/GridTransfer.h"
#include "support/GridFixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include "support/FileSizeLimit.h"
#endif

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override { f.allRows(5); }
    QString path(const QString& name = "unit.set") const { return dir.filePath(name); }
    void put(const QByteArray& bytes, const QString& name = "unit.set")
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray contents(const QString& name = "unit.set") const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    pbtest::GridFixture f;
    pb::RowValues v;
};

TEST_F(SettingsFileTest, WritesFiftyLinesByteForByte)
{
    for (int r = 0; r < pb::kGridRows; ++r)
        f.combo(r)->setCurrentIndex(r % 5);
    v.FileSettings[30] = 12;
    pb::WriteSettingsFile(f.grid, v, path());
    QByteArray expected;
    for (int r = 0; r < 50; ++r) {
        const int value = r < 26 ? r % 5 : (r == 30 ? 12 : 0);
        expected += QByteArray::number(r) + "    ->" + QByteArray::number(value) + "\r\n";
    }
    EXPECT_EQ(contents(), expected);
}

TEST_F(SettingsFileTest, SaveAndLoadGiveBackTheSameRowsHiddenAndExtraOnesIncluded)
{
    f.row(4, 5, false);
    v.UnitSettings[4] = 3;        // a hidden row keeps its value through the file
    for (int r = 26; r < 50; ++r)
        v.FileSettings[r] = int16_t(r);
    for (int r = 0; r < pb::kGridRows; ++r) {
        if (r != 4)
            f.combo(r)->setCurrentIndex((r + 1) % 5);
    }
    pb::WriteSettingsFile(f.grid, v, path());

    pbtest::GridFixture g;
    g.allRows(5);
    g.row(4, 5, false);
    pb::RowValues w;
    pb::ReadSettingsFile(g.grid, w, path());
    for (int r = 0; r < pb::kGridRows; ++r) {
        if (r != 4) {
            EXPECT_EQ(g.combo(r)->currentIndex(), (r + 1) % 5) << r;
        }
    }
    EXPECT_EQ(w.UnitSettings[4], 3);
    for (int r = 26; r < 50; ++r)
        EXPECT_EQ(w.FileSettings[r], r);
}

TEST_F(SettingsFileTest, NoSelectionSurvivesTheRoundTrip)
{
    f.combo(2)->setCurrentIndex(-1);
    pb::WriteSettingsFile(f.grid, v, path());
    EXPECT_TRUE(contents().contains("\r\n2    ->-1\r\n"));
    pb::RowValues w;
    f.combo(2)->setCurrentIndex(3);
    pb::ReadSettingsFile(f.grid, w, path());
    EXPECT_EQ(f.combo(2)->currentIndex(), -1);
    EXPECT_EQ(w.UnitSettings[2], -1);
}

TEST_F(SettingsFileTest, OnlyRowThreeInTheFileLeavesEveryOtherRowAtTheFirstOption)
{
    put("3    ->2\r\n");
    v.UnitSettings.fill(4);
    pb::ReadSettingsFile(f.grid, v, path());
    for (int r = 0; r < pb::kGridRows; ++r)
        EXPECT_EQ(f.combo(r)->currentIndex(), r == 3 ? 2 : 0) << r;
}

TEST_F(SettingsFileTest, AValueTheRowCannotShowBecomesZero)
{
    f.row(6, 2);
    put("6    ->7\r\n");
    pb::ReadSettingsFile(f.grid, v, path());
    EXPECT_EQ(f.combo(6)->currentIndex(), 0);
    EXPECT_EQ(v.UnitSettings[6], 0);
    EXPECT_EQ(v.FileSettings[6], 7);
}

TEST_F(SettingsFileTest, OrderDuplicatesAndIgnoredRows)
{
    put("9    ->1\r\n1    ->2\r\n9    ->3\r\n60    ->4\r\n300 ->4\r\n");
    pb::ReadSettingsFile(f.grid, v, path());
    EXPECT_EQ(v.UnitSettings[9], 3);
    EXPECT_EQ(v.UnitSettings[1], 2);
    EXPECT_EQ(v.FileSettings[49], 0);
}

TEST_F(SettingsFileTest, ANumberBeyondSixteenBitsCountsAsZero)
{
    put("5    ->99999\r\n");
    pb::ReadSettingsFile(f.grid, v, path());
    EXPECT_EQ(v.FileSettings[5], 0);
}

TEST_F(SettingsFileTest, LoadingForgetsWhatTheUnitConfirmed)
{
    v.SettingsInUnit.fill(2);
    put("0    ->1\r\n");
    pb::ReadSettingsFile(f.grid, v, path());
    for (int r = 0; r < pb::kRowSlots; ++r)
        EXPECT_EQ(v.SettingsInUnit[r], -1);
}

TEST_F(SettingsFileTest, AMissingFileSetsEveryRowToTheFirstOption)
{
    v.UnitSettings.fill(3);
    pb::ReadSettingsFile(f.grid, v, path("none.set"));
    for (int r = 0; r < pb::kGridRows; ++r)
        EXPECT_EQ(f.combo(r)->currentIndex(), 0);
}

TEST_F(SettingsFileTest, AnEmptyPathDoesNothing)
{
    v.UnitSettings[1] = 4;
    v.SettingsInUnit[1] = 4;
    pb::ReadSettingsFile(f.grid, v, QString());
    pb::WriteSettingsFile(f.grid, v, QString());
    EXPECT_EQ(v.UnitSettings[1], 4);
    EXPECT_EQ(v.SettingsInUnit[1], 4);
}

#ifdef Q_OS_UNIX // the full disk is a file size limit, which Windows lacks
TEST_F(SettingsFileTest, AnInterruptedWriteLeavesThePreviousFileIntact)
{
    put("0    ->1\r\n");
    {
        pbtest::FileSizeLimit limit(100); // the 50 lines need more
        pb::WriteSettingsFile(f.grid, v, path());
    }
    EXPECT_EQ(contents(), QByteArray("0    ->1\r\n"));
}
#endif

TEST_F(SettingsFileTest, DefaultFileLivesInTheProgramFolder)
{
    pbtest::CoreState state;
    state.folder.path = dir.path();
    f.combo(0)->setCurrentIndex(4);
    pb::WriteDefaultSettings(state.folder, f.grid, state.rows);
    EXPECT_TRUE(QFile::exists(dir.filePath("default.set")));
    f.combo(0)->setCurrentIndex(1);
    pb::ReadDefaultSettings(state.folder, f.grid, state.rows);
    EXPECT_EQ(f.combo(0)->currentIndex(), 4);
}

} // namespace
