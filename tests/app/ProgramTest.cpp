#include "app/Program.h"
#include "settings/SetupUnitType.h"
#include "ui/AboutBox.h"
#include "ui/SettingsDialog.h"
#include "support/ModalAnswer.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        state.folder.path = dir.path();
        int16_t english = 0;
        pb::LoadTexts(state.texts, english);
        program = std::make_unique<pb::Program>(state);
        pb::SetupUnitType(state.grid, state.texts, 3);
    }
    pb::MainWindow& window() { return program->window; }
    pb::ProtocolEngine& engine() { return program->engine; }

    QTemporaryDir dir;
    pb::AppState state;
    std::unique_ptr<pb::Program> program;
};

TEST_F(ProgramTest, RowButtonsLeaveRequestsForTheEngine)
{
    window().CmdReadSingleSetting[0]->click();
    EXPECT_TRUE(engine().busyWith(pb::RequestKind::ReadRow));
    EXPECT_TRUE(engine().rowPending(0));
    window().ComboInstellingen[0]->setCurrentIndex(2);
    window().CmdWriteSingleSetting[0]->click();
    EXPECT_TRUE(engine().busyWith(pb::RequestKind::WriteRow));
    EXPECT_EQ(state.rows.UnitSettings[0], 2);
    window().CmdLeesAlles->click();
    EXPECT_TRUE(engine().busyWith(pb::RequestKind::ReadAll));
}

TEST_F(ProgramTest, WriteAllAnsweredWithCancelChangesNothing)
{
    window().TxtProgress()->setPlainText("earlier lines");
    QString question;
    pbtest::pressInMessageBox(QMessageBox::Cancel, &question);
    window().CmdSchrijfAlles->click();
    EXPECT_EQ(question, "Write all settings to Unit!\r\nAre you sure?");
    EXPECT_FALSE(engine().busyWith(pb::RequestKind::WriteAll));
    EXPECT_EQ(window().TxtProgress()->toPlainText(), "earlier lines");
}

TEST_F(ProgramTest, WriteAllAnsweredWithOkEmptiesTheProgressAndRequests)
{
    window().TxtProgress()->setPlainText("earlier lines");
    window().ComboInstellingen[0]->setCurrentIndex(1);
    pbtest::pressInMessageBox(QMessageBox::Ok);
    window().CmdSchrijfAlles->click();
    EXPECT_TRUE(engine().busyWith(pb::RequestKind::WriteAll));
    EXPECT_EQ(window().TxtProgress()->toPlainText(), "");
    EXPECT_EQ(state.rows.UnitSettings[0], 1);
}

TEST_F(ProgramTest, TestCallWithoutAnAddressSaysSoAndRequestsNothing)
{
    QString message;
    pbtest::pressInMessageBox(QMessageBox::Ok, &message);
    window().CmdTestOproepPager->click();
    EXPECT_EQ(message, "Please enter a valid PagerNumber to send the message to");
    EXPECT_FALSE(engine().busyWith(pb::RequestKind::TestCall));

    window().TxtTestPagerAdres->setText("1234");
    window().CmdTestOproepPager->click();
    EXPECT_TRUE(engine().busyWith(pb::RequestKind::TestCall));
}

TEST_F(ProgramTest, CancelAppendsToTheProgressText)
{
    window().CmdReadSingleSetting[3]->click();
    window().CmdCancelReadWrite->click();
    window().CmdCancelReadWrite->click();
    EXPECT_FALSE(engine().rowPending(3));
    EXPECT_EQ(window().TxtProgress()->toPlainText(), "\nCancelled!\n\nCancelled!\n");
    window().CmdWisLogVenster->click();
    EXPECT_EQ(window().TxtProgress()->toPlainText(), "");
}

} // namespace

TEST_F(ProgramTest, TheMenuOpensTheSettingsDialogWhoseSaveTheProgramApplies)
{
    window().About->trigger();
    auto* about = window().findChild<pb::AboutBox*>();
    ASSERT_NE(about, nullptr);
    about->close();

    window().Setup->trigger();
    auto* dialog = window().findChild<pb::SettingsDialog*>();
    ASSERT_NE(dialog, nullptr);
    dialog->CmdWijzigen->click();
    dialog->ComboTaal->setCurrentIndex(1);
    dialog->CmdSave->click();
    EXPECT_EQ(window().Setup->text(), QStringLiteral("Instellingen"));
    EXPECT_EQ(dialog->CmdWijzigen->text(), QStringLiteral("Wijzigen"));
    EXPECT_TRUE(QFile::exists(state.folder.configFile()));
}
