// The connection check from the Service tab: it takes the port for its run,
// shows each step's line as the CLI does, and gives the port back to the
// engine, whose requests waited.
#include "ProgramOnUnit.h"

#include "ui/SettingsDialog.h"

namespace {

using namespace pbtest;

class ConnectionCheck : public ProgramOnUnit {};

TEST_F(ConnectionCheck, TheServiceTabShowsTheStepsAndTheVerdictThenTheEngineGoesOn)
{
    pb::unitsim::UnitOptions options;
    options.fault = pb::unitsim::Fault::DeepSleep;
    options.statusEveryMs = 0;
    ASSERT_NO_FATAL_FAILURE(start(3, options));
    showTab(ServiceTab);
    window().CmdCheckConnection->click();
    ASSERT_TRUE(program->checking());
    window().TxtTestPagerAdres->setText(QStringLiteral("1234"));
    window().CmdTestOproepPager->click(); // waits for the check
    ASSERT_TRUE(tickUntil([this] { return !program->checking(); }, 600));
    const QStringList lines = window().TxtCheckLines->toPlainText().split(u'\n');
    QStringList steps;
    for (const QString& line : lines)
        steps << line.section(u' ', 0, 0);
    EXPECT_EQ(steps, QStringList({"Name", "Reach", "Open", "Line", "Listen", "Echo", "Ask", "Ask", "Verdict"}));
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("Verdict The unit answers, but not at the first try")))
        << lines.last().toStdString();
    EXPECT_TRUE(unit->calls().empty()) << "the call waited for the check";
    ASSERT_TRUE(program->port.isOpen());
    ASSERT_TRUE(tickUntil([this] { return !unit->calls().empty(); }, 600));
}

// The dialog checks the port chosen there, which is not the program's: the
// program's port stays open, and the lines show below the dialog's buttons.
TEST_F(ConnectionCheck, TheSettingsDialogChecksItsChosenPortAndLeavesTheProgramsOpen)
{
    ASSERT_NO_FATAL_FAILURE(start(3));
    program->ShowSettingsDialog();
    auto* dialog = window().findChild<pb::SettingsDialog*>();
    ASSERT_NE(dialog, nullptr);
    const int height = dialog->height();
    dialog->CmdWijzigen->click();
    dialog->ComboCom->setCurrentIndex(8);
    dialog->TxtPortDevice->setText(QStringLiteral("/dev/pagerbench-no-such-port"));
    dialog->CmdCheckPort->click();
    ASSERT_TRUE(tickUntil([this] { return !program->checking(); }, 600));
    ASSERT_NE(dialog->TxtCheckLines, nullptr);
    const QStringList lines = dialog->TxtCheckLines->toPlainText().split(u'\n');
    EXPECT_TRUE(lines.first().contains(QStringLiteral("Com9 stands for /dev/pagerbench-no-such-port (ports.ini)")))
        << lines.first().toStdString();
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("Verdict The device is not there"))) << lines.last().toStdString();
    EXPECT_GT(dialog->height(), height);
    EXPECT_TRUE(program->port.isOpen()) << "the program's own port was not the one checked";
    EXPECT_TRUE(window().TxtCheckLines->toPlainText().isEmpty());
}

} // namespace
