#include "app/Program.h"
#include "settings/SetupUnitType.h"
#include "ui/FrmAbout.h"
#include "ui/FrmInstellingen.h"
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
        pb::LaadTeksten(state.Tekst, english);
        program = std::make_unique<pb::Program>(state);
        pb::SetupUnitType(state.grid, state.Tekst, 3);
    }
    pb::FrmHoofdscherm& window() { return program->window; }
    pb::UnitRequests& requests() { return program->engine.Requests(); }

    QTemporaryDir dir;
    pb::AppState state;
    std::unique_ptr<pb::Program> program;
};

TEST_F(ProgramTest, RowButtonsLeaveRequestsForTheEngine)
{
    window().CmdReadSingleSetting[0]->click();
    EXPECT_EQ(requests().of(0), pb::ReadRequest);
    window().ComboInstellingen[0]->setCurrentIndex(2);
    window().CmdWriteSingleSetting[0]->click();
    EXPECT_EQ(requests().of(0), pb::WriteRequest);
    EXPECT_EQ(state.rows.UnitSettings[0], 2);
    window().CmdLeesAlles->click();
    EXPECT_TRUE(requests().readAllPending());
}

TEST_F(ProgramTest, WriteAllAnsweredWithCancelChangesNothing)
{
    window().TxtProgress()->setPlainText("earlier lines");
    QString question;
    pbtest::pressInMessageBox(QMessageBox::Cancel, &question);
    window().CmdSchrijfAlles->click();
    EXPECT_EQ(question, "Write all settings to Unit!\r\nAre you sure?");
    EXPECT_FALSE(requests().writeAllPending());
    EXPECT_EQ(window().TxtProgress()->toPlainText(), "earlier lines");
}

TEST_F(ProgramTest, WriteAllAnsweredWithOkEmptiesTheProgressAndRequests)
{
    window().TxtProgress()->setPlainText("earlier lines");
    window().ComboInstellingen[0]->setCurrentIndex(1);
    pbtest::pressInMessageBox(QMessageBox::Ok);
    window().CmdSchrijfAlles->click();
    EXPECT_TRUE(requests().writeAllPending());
    EXPECT_EQ(window().TxtProgress()->toPlainText(), "");
    EXPECT_EQ(state.rows.UnitSettings[0], 1);
}

TEST_F(ProgramTest, TestCallWithoutAnAddressSaysSoAndRequestsNothing)
{
    QString message;
    pbtest::pressInMessageBox(QMessageBox::Ok, &message);
    window().CmdTestOproepPager->click();
    EXPECT_EQ(message, "Please enter a valid PagerNumber to send the message to");
    EXPECT_FALSE(requests().testCallPending());

    window().TxtTestPagerAdres->setText("1234");
    window().CmdTestOproepPager->click();
    EXPECT_TRUE(requests().testCallPending());
}

TEST_F(ProgramTest, CancelAppendsToTheProgressText)
{
    requests().read(3);
    window().CmdCancelReadWrite->click();
    window().CmdCancelReadWrite->click();
    EXPECT_EQ(requests().of(3), pb::NoRequest);
    EXPECT_EQ(window().TxtProgress()->toPlainText(), "\nCancelled!\n\nCancelled!\n");
    window().CmdWisLogVenster->click();
    EXPECT_EQ(window().TxtProgress()->toPlainText(), "");
}

} // namespace

TEST_F(ProgramTest, TheMenuOpensTheSettingsDialogWhoseSaveTheProgramApplies)
{
    window().About->trigger();
    auto* about = window().findChild<pb::FrmAbout*>();
    ASSERT_NE(about, nullptr);
    about->close();

    window().Setup->trigger();
    auto* dialog = window().findChild<pb::FrmInstellingen*>();
    ASSERT_NE(dialog, nullptr);
    dialog->CmdWijzigen->click();
    dialog->ComboTaal->setCurrentIndex(1);
    dialog->CmdSave->click();
    EXPECT_EQ(window().Setup->text(), QStringLiteral("Instellingen"));
    EXPECT_EQ(dialog->CmdWijzigen->text(), QStringLiteral("Wijzigen"));
    EXPECT_TRUE(QFile::exists(state.folder.configFile()));
}
