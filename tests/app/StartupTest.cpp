#include "files/ConfigFile.h"
#include "app/Program.h"
#include "ui/MainTabs.h"
#include "app/Startup.h"
#include "files/SettingsFile.h"
#include "ui/HousingGuide.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        state.folder.path = dir.path();
        // Never reach for a real serial port of the test machine.
        qputenv("PAGERBENCH_COM1", dir.filePath("no-such-port").toLocal8Bit());
        program = std::make_unique<pb::Program>(state);
        window = &program->window;
    }
    void TearDown() override { qunsetenv("PAGERBENCH_COM1"); }

    void config(const QByteArray& bytes) { put("Pagerbench.set", bytes); }
    void put(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void start(const QString& commandLine = QString())
    {
        state.commandLine = commandLine;
        pb::StartProgram(*program);
    }
    // The program starts on the message window; the grid's lists are
    // filled once their tab is shown.
    void showSettingsTab() { window->SSTab1->setCurrentIndex(pb::SettingsTab); }

    QTemporaryDir dir;
    pb::AppState state;
    std::unique_ptr<pb::Program> program;
    pb::MainWindow* window = nullptr;
};

TEST_F(StartupTest, WithoutAConfigurationFileTheDefaultsApply)
{
    start();
    EXPECT_EQ(state.config.portIndex, 0);
    EXPECT_EQ(state.config.unitType, 1);
    EXPECT_EQ(state.config.language, 0);
    EXPECT_EQ(state.config.settingsFolder, "");
    EXPECT_EQ(state.config.logging, 2) << "logging is on once start-up ends";
    EXPECT_EQ(state.serviceLevel, 0);
    EXPECT_EQ(window->windowTitle(), " Pagerbench by pagerbench.example");
    EXPECT_TRUE(window->FrameDebug1->isHidden());
    EXPECT_TRUE(window->FrameDebug2->isHidden());
    EXPECT_FALSE(window->CmdInstellingenOpslaan->isEnabled());
    EXPECT_EQ(window->SSTab1->currentIndex(), 0);
}

// An installed program writes its files per user, but reads what a site
// shipped beside the executable until it has its own.
TEST_F(StartupTest, AnInstalledProgramReadsTheShippedFilesUntilItHasItsOwn)
{
    QTemporaryDir executableFolder;
    state.folder.shipped = executableFolder.path();
    const auto ship = [&](const QString& name, const QByteArray& bytes) {
        QFile f(executableFolder.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    ship("Pagerbench.set", "3       UnitType ->3\r\n");
    ship("default.set", "0    ->2\r\n");
    start();
    showSettingsTab();
    EXPECT_EQ(state.config.unitType, 3);
    EXPECT_EQ(window->ComboInstellingen[0]->currentIndex(), 2);

    // Saved once, the program's own copies win; the shipped ones stay.
    window->ComboInstellingen[0]->setCurrentIndex(1);
    ASSERT_TRUE(pb::WriteDefaultSettings(state.folder, state.grid, state.rows).ok());
    state.config.unitType = 2;
    ASSERT_TRUE(pb::WriteConfig(state.config, state.folder.configFile()).ok());
    start();
    showSettingsTab();
    EXPECT_EQ(state.config.unitType, 2);
    EXPECT_EQ(window->ComboInstellingen[0]->currentIndex(), 1);
    EXPECT_TRUE(QFile::exists(dir.filePath("default.set")));
    EXPECT_TRUE(QFile::exists(dir.filePath("Pagerbench.set")));
    QFile shipped(executableFolder.filePath("default.set"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_EQ(shipped.readAll(), "0    ->2\r\n");
}

TEST_F(StartupTest, StartingWritesNoFile)
{
    start();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST_F(StartupTest, OnlyTheGermanLanguageLineGivesGermanCaptionsAndDefaultsElsewhere)
{
    config("4       Taal ->2\r\n");
    start();
    EXPECT_EQ(window->windowTitle(), " Pagerbench von pagerbench.example");
    EXPECT_EQ(window->FrmCommunicatie->title(), "Comport: ");
    EXPECT_EQ(state.config.unitType, 1);
}

TEST_F(StartupTest, ALanguageAboveThreeGivesEnglishAndIsSetBack)
{
    config("4       Taal ->7\r\n");
    start();
    EXPECT_EQ(state.config.language, 0);
    EXPECT_EQ(window->windowTitle(), " Pagerbench by pagerbench.example");
}

TEST_F(StartupTest, DebugGluedBetweenOtherCharactersShowsTheServiceControls)
{
    start("x/DEBUGy");
    EXPECT_EQ(state.serviceLevel, 2);
    EXPECT_FALSE(window->FrameDebug1->isHidden());
    EXPECT_FALSE(window->FrameDebug2->isHidden());
    EXPECT_TRUE(window->CmdInstellingenOpslaan->isEnabled());
}

TEST_F(StartupTest, LowerCaseLogLeavesLevelZero)
{
    start("/log");
    EXPECT_EQ(state.serviceLevel, 0);
    EXPECT_TRUE(window->FrameDebug1->isHidden());
}

TEST_F(StartupTest, TheMessageWindowStartsEmpty)
{
    start();
    for (QLineEdit* line : window->Text2)
        EXPECT_TRUE(line->text().isEmpty());
    EXPECT_EQ(state.log.lineCount, 0);
}

TEST_F(StartupTest, BuildsTheGridOfTheConfiguredTypeAndShowsTheDefaultSettings)
{
    config("3       UnitType ->3\r\n");
    put("default.set", "0    ->2\r\n5    ->1\r\n");
    start();
    EXPECT_FALSE(window->FramePagerOproepen->isHidden());
    EXPECT_EQ(window->ComboInstellingen[0]->count(), 0) << "the lists wait for their tab";
    EXPECT_EQ(state.grid.position(0), 2);
    showSettingsTab();
    EXPECT_EQ(window->ComboInstellingen[0]->count(), state.grid.row(0).options.size());
    EXPECT_EQ(window->ComboInstellingen[0]->currentIndex(), 2);
    EXPECT_EQ(window->ComboInstellingen[5]->currentIndex(), 1);
    EXPECT_EQ(state.rows.SettingsInUnit[0], -1);
    EXPECT_FALSE(program->engine.busy());
}

TEST_F(StartupTest, WithoutADefaultFileEveryShownRowHoldsItsFirstOption)
{
    start();
    showSettingsTab();
    for (int r = 0; r < pb::kGridRows; ++r) {
        if (!window->ComboInstellingen[r]->isHidden()) {
            EXPECT_EQ(window->ComboInstellingen[r]->currentIndex(), 0) << r;
        }
    }
}

TEST_F(StartupTest, APortThatCannotOpenLeavesTheEngineIdle)
{
    config("1      Logfile ->1\r\n");
    start();
    EXPECT_FALSE(program->engine.started());
    EXPECT_EQ(state.log.lines[0].mid(9), "Error opening Comport:  1");
    EXPECT_EQ(window->FrmCommunicatie->title(), "ComPort: ");
}

TEST_F(StartupTest, WithLoggingOffInTheFileTheStartUpMessagesGoNowhere)
{
    start();
    EXPECT_EQ(state.log.lineCount, 0);
    EXPECT_FALSE(QDir(dir.filePath("Log")).exists());
}

TEST_F(StartupTest, LoadRunsTheStartUpAndArmsTheDisplayTimer)
{
    for (QLineEdit* field : program->window.Text2)
        field->setText(QStringLiteral("from the design"));
    program->load();
    EXPECT_TRUE(program->window.TimerDisplayInstellingen->isActive());
    EXPECT_EQ(program->window.windowTitle(), " Pagerbench by pagerbench.example");
    for (QLineEdit* field : program->window.Text2)
        EXPECT_TRUE(field->text().isEmpty());
}

bool guideShown(const pb::MainWindow& window)
{
    const auto guides = window.findChildren<pb::HousingGuide*>();
    return std::any_of(guides.begin(), guides.end(), [](QWidget* w) { return w->isVisible(); });
}

TEST_F(StartupTest, TheGuideIsShownOnlyWhileCaseIsZero)
{
    start();
    EXPECT_TRUE(guideShown(*window));
}

TEST_F(StartupTest, AnyOtherCaseValueSuppressesTheGuide)
{
    config("5       Case ->2\r\n");
    start();
    EXPECT_FALSE(guideShown(*window));
}

} // namespace
