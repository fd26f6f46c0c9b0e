// The unit's own diagnose text: the program logs it, line by line, into the
// message window and the day's log file while no exchange is going on.
#include "ProgramOnUnit.h"

#include "files/Windows1252.h"
#include "log/Logfile.h"

#include <QFile>

namespace {

using namespace pbtest;

const QDateTime kMoment(QDate(2024, 5, 17), QTime(10, 30));

class DiagnoseText : public ProgramOnUnit {
protected:
    void SetUp() override
    {
        state.now = [] { return kMoment; };
        pb::unitsim::UnitOptions options;
        options.statusEveryMs = 5000;
        start(1, options);
    }

    QString logFile() const
    {
        QFile file(state.folder.logFolder() + u'/' + pb::LogFileName(kMoment.date()));
        return file.open(QIODevice::ReadOnly) ? pb::fromWindows1252(file.readAll()) : QString();
    }

    bool messageWindowHas(const QString& text)
    {
        window().UpdateMessageWindow();
        for (QLineEdit* line : window().Text2) {
            if (line->text().contains(text))
                return true;
        }
        return false;
    }
};

TEST_F(DiagnoseText, StatusLinesReachTheMessageWindowAndTheLogFile)
{
    const QString status = QStringLiteral("STATUS type 1 up 5 s frames 0 calls 0 awake");
    showTab(StatusTab);
    ticks(180); // 4.5 s: nothing said yet
    EXPECT_FALSE(logHas(QStringLiteral("STATUS")));
    ASSERT_TRUE(tickUntil([&] { return logHas(status); }, 40));
    EXPECT_TRUE(messageWindowHas(QStringLiteral("10:30:00 ") + status));
    EXPECT_TRUE(logFile().contains(QStringLiteral("10:30:00 ") + status + QStringLiteral("\r\n")));

    ASSERT_TRUE(tickUntil([&] { return logHas(QStringLiteral("SLEEP")); }, 60));
    EXPECT_TRUE(logFile().contains(QStringLiteral("10:30:00 SLEEP\r\n")));
}

TEST_F(DiagnoseText, EveryServedRequestIsReportedByTheUnit)
{
    showTab(SettingsTab);
    window().CmdReadSingleSetting[0]->click();
    ASSERT_TRUE(tickUntil([this] { return allServed(); }));
    showTab(StatusTab);
    EXPECT_TRUE(tickUntil([&] { return logHas(QStringLiteral("READ 0 = 1")); }, 20));
    EXPECT_TRUE(logFile().contains(QStringLiteral("READ 0 = 1")));
    // CR LF ends the line; neither shows in the text.
    EXPECT_FALSE(logFile().contains(QStringLiteral("[CR]")));
    EXPECT_FALSE(logFile().contains(QStringLiteral("[LF]")));
}

} // namespace
