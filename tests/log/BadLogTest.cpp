// The log writer when the disk will not take the line: no Log folder can be
// made, something else is called Log, the disk is full. The caller carries
// on, the message window buffer still gets every line, and files written
// before are left as they were.
#include "log/Logfile.h"
#include "support/CoreState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "link/EngineRig.h"
#include "link/FrameBytes.h"
#include "link/LinkTexts.h"
#include "support/GridFixture.h"
#include "texts/ExchangeNarration.h"
#ifdef Q_OS_UNIX
#include "support/FileSizeLimit.h"
#endif

namespace {

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class BadLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        state.folder.path = dir.path();
        state.config.logging = 2;
        state.now = [] { return QDateTime(QDate(2027, 3, 1), QTime(9, 5, 7)); };
    }

    QString today() const { return dir.filePath("Log/01032027.log"); }
    QString yesterday() const { return dir.filePath("Log/28022027.log"); }

    void put(const QString& path, const QByteArray& bytes)
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    // Writes lines 1..count and checks that the buffer holds the newest 25.
    void writeAndExpectAllInBuffer(int count)
    {
        for (int i = 1; i <= count; ++i)
            state.logfile.WriteLog("line " + QString::number(i));
        const int kept = std::min(count, pb::kLogWindowLines);
        ASSERT_EQ(state.log.lineCount, kept);
        for (int i = 0; i < kept; ++i)
            EXPECT_EQ(state.log.lines[i], "09:05:07 line " + QString::number(count - kept + i + 1));
    }

    QStringList entries(const QString& folder) const
    {
        return QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System);
    }

    QTemporaryDir dir;
    pbtest::CoreState state;
};

TEST_F(BadLogTest, NoLogFolderCanBeMadeInAFileThatStandsForTheProgramFolder)
{
    put(dir.filePath("program"), "not a folder");
    state.folder.path = dir.filePath("program");
    writeAndExpectAllInBuffer(30);
    EXPECT_EQ(contents(dir.filePath("program")), QByteArray("not a folder"));
    EXPECT_EQ(entries(dir.path()), QStringList{"program"});
}

TEST_F(BadLogTest, AFileNamedLogIsLeftAloneAndOnceGoneTheLogResumes)
{
    put(dir.filePath("Log"), "keep me");
    writeAndExpectAllInBuffer(3);
    EXPECT_EQ(contents(dir.filePath("Log")), QByteArray("keep me"));

    ASSERT_TRUE(QFile::remove(dir.filePath("Log")));
    state.logfile.WriteLog("after");
    EXPECT_EQ(contents(today()), QByteArray("09:05:07 after\r\n"));
    EXPECT_EQ(state.log.lines[3], "09:05:07 after");
}

TEST_F(BadLogTest, AFolderInPlaceOfTheDaysFileIsLeftAlone)
{
    ASSERT_TRUE(QDir().mkpath(today() + "/inside"));
    writeAndExpectAllInBuffer(2);
    EXPECT_EQ(entries(today()), QStringList{"inside"});
}

#ifdef Q_OS_UNIX // the full disk is a file size limit, which Windows lacks
TEST_F(BadLogTest, AFullDiskLeavesNoHalfLineAndNoEarlierFileDamaged)
{
    put(yesterday(), "23:00:00 yesterday\r\n");
    state.logfile.WriteLog("before");
    const QByteArray before = contents(today());
    ASSERT_EQ(before, QByteArray("09:05:07 before\r\n"));
    {
        // Room for five more bytes: each line starts to go out and stops.
        pbtest::FileSizeLimit limit(rlim_t(before.size() + 5));
        writeAndExpectAllInBuffer(28);
    }
    EXPECT_EQ(contents(today()), before);
    EXPECT_EQ(contents(yesterday()), QByteArray("23:00:00 yesterday\r\n"));

    state.logfile.WriteLog("room again");
    EXPECT_EQ(contents(today()), before + "09:05:07 room again\r\n");
}
#endif

TEST_F(BadLogTest, ADeviceThatIsAlwaysFullTakesNothingAndHurtsNothing)
{
    if (!QFileInfo::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    put(yesterday(), "23:00:00 yesterday\r\n");
    ASSERT_TRUE(QFile::link("/dev/full", today()));
    writeAndExpectAllInBuffer(26);
    EXPECT_EQ(contents(yesterday()), QByteArray("23:00:00 yesterday\r\n"));
    EXPECT_TRUE(QFileInfo(today()).isSymLink());
}

// The engine goes on through an exchange whose trace cannot be written.
TEST_F(BadLogTest, AReadCompletesWhenItsLinesCannotBeWrittenAndTheBufferHasThem)
{
    QFile blocker(dir.filePath("Log"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    pbtest::GridFixture grid;
    grid.allRows(4);
    grid.combo(4)->setCurrentIndex(2);
    pbtest::EngineRig rig;
    const pb::TextTable texts = pbtest::EnglishLinkTexts();
    pb::ExchangeNarration narration(grid.grid, texts, state.logfile, [](const QString&, bool) {});
    rig.engine.onExchangeStart = [&](const pb::ExchangeStart& start) { narration.started(start); };
    rig.engine.onReport = [&](const pb::ExchangeReport& report) {
        rig.reports.push_back(report);
        grid.combo(report.storedRow)->setCurrentIndex(report.value);
        narration.reported(report);
    };
    rig.line.answer = [](const QByteArray& frame) {
        return frame == pbtest::ReadRequestFrame(4) ? pbtest::ReadReply(4, 3) : QByteArray();
    };
    rig.start(pb::ServingMode::Rows);
    const pb::RequestId read = rig.engine.request(pb::UnitRequest::ReadRow(4));
    ASSERT_GT(rig.tickUntilEnded(read), 0);
    EXPECT_EQ(rig.outcomes.back().status, pb::OutcomeStatus::Done);
    ASSERT_EQ(rig.reports.size(), 1u);
    EXPECT_EQ(rig.reports[0].value, 3);
    QStringList logged;
    for (int i = 0; i < state.log.lineCount; ++i)
        logged << state.log.lines[i].mid(9);
    EXPECT_EQ(logged, (QStringList{"Reading of 4/2", "Reading of [Item: 4 Value: 3]  4/3"}));
    EXPECT_TRUE(QFileInfo(dir.filePath("Log")).isFile());
}

} // namespace
