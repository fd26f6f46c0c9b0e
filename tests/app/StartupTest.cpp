#include "app/ConfigFile.h"
#include "app/Startup.h"
#include "ui/FrmHoofdscherm.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { state.folder.path = dir.path(); }

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
        window = std::make_unique<pb::FrmHoofdscherm>(state);
        pb::StartProgramma(state, *window);
    }

    QTemporaryDir dir;
    pb::AppState state;
    std::unique_ptr<pb::FrmHoofdscherm> window;
};

TEST_F(StartupTest, WithoutAConfigurationFileTheDefaultsApply)
{
    start();
    EXPECT_EQ(state.config.Compoort, 0);
    EXPECT_EQ(state.config.UnitType, 1);
    EXPECT_EQ(state.config.Taal, 0);
    EXPECT_EQ(state.config.SetPath, "");
    EXPECT_EQ(state.config.LogfileAan, 2) << "logging is on once start-up ends";
    EXPECT_EQ(state.DebugLevel, 0);
    EXPECT_EQ(window->windowTitle(), " Pagerbench by pagerbench.example");
    EXPECT_TRUE(window->FrameDebug1->isHidden());
    EXPECT_TRUE(window->FrameDebug2->isHidden());
    EXPECT_FALSE(window->CmdInstellingenOpslaan->isEnabled());
    EXPECT_EQ(window->SSTab1->currentIndex(), 0);
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
    EXPECT_EQ(state.config.UnitType, 1);
}

TEST_F(StartupTest, ALanguageAboveThreeGivesEnglishAndIsSetBack)
{
    config("4       Taal ->7\r\n");
    start();
    EXPECT_EQ(state.config.Taal, 0);
    EXPECT_EQ(window->windowTitle(), " Pagerbench by pagerbench.example");
}

TEST_F(StartupTest, DebugGluedBetweenOtherCharactersShowsTheServiceControls)
{
    start("x/DEBUGy");
    EXPECT_EQ(state.DebugLevel, 2);
    EXPECT_FALSE(window->FrameDebug1->isHidden());
    EXPECT_FALSE(window->FrameDebug2->isHidden());
    EXPECT_TRUE(window->CmdInstellingenOpslaan->isEnabled());
}

TEST_F(StartupTest, LowerCaseLogLeavesLevelZero)
{
    start("/log");
    EXPECT_EQ(state.DebugLevel, 0);
    EXPECT_TRUE(window->FrameDebug1->isHidden());
}

TEST_F(StartupTest, TheMessageWindowStartsEmpty)
{
    start();
    for (QLineEdit* line : window->Text2)
        EXPECT_TRUE(line->text().isEmpty());
    EXPECT_EQ(state.log.LogLineCount, 0);
}

TEST_F(StartupTest, BuildsTheGridOfTheConfiguredTypeAndShowsTheDefaultSettings)
{
    config("3       UnitType ->3\r\n");
    put("default.set", "0    ->2\r\n5    ->1\r\n");
    start();
    EXPECT_FALSE(window->FramePagerOproepen->isHidden());
    EXPECT_EQ(window->ComboInstellingen[0]->currentIndex(), 2);
    EXPECT_EQ(window->ComboInstellingen[5]->currentIndex(), 1);
    EXPECT_EQ(state.rows.SettingsInUnit[0], -1);
    EXPECT_EQ(state.rows.RowRequest[0], pb::NoRequest);
}

TEST_F(StartupTest, WithoutADefaultFileEveryShownRowHoldsItsFirstOption)
{
    start();
    for (int r = 0; r < pb::kGridRows; ++r) {
        if (!window->ComboInstellingen[r]->isHidden()) {
            EXPECT_EQ(window->ComboInstellingen[r]->currentIndex(), 0) << r;
        }
    }
}

} // namespace
