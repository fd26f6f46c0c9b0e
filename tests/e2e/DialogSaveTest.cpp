// The settings dialog's Save loads the default settings into the grid: the
// writes that were waiting, and the one under way, must not send those.
// The engine goes on and serves what is asked for next.
#include "ProgramOnUnit.h"
#include "support/ModalAnswer.h"
#include "ui/SettingsDialog.h"

#include <algorithm>

namespace {

using namespace pbtest;
constexpr int16_t kUnitType = 3;

class DialogSave : public ProgramOnUnit {
protected:
    static int item(int row) { return pb::RowToItem(kUnitType, int16_t(row)); }
    static uint8_t optionOne(int row) { return uint8_t(pb::EncodeValue(kUnitType, int16_t(row), 1)); }

    // The unit holds option 1 in every row, the default settings option 0.
    void startOnOptionOne(pb::unitsim::UnitOptions options)
    {
        options.statusEveryMs = 0;
        options.quiet = true;
        ASSERT_NO_FATAL_FAILURE(start(kUnitType, options));
        for (int row : shownRows())
            unit->setValue(item(row), optionOne(row));
    }

    // Save with writes waiting: none reaches the unit, and a read all asked
    // for afterwards is served.
    void expectSaveDropsTheWrites()
    {
        ASSERT_TRUE(anyRowPending());
        program->ShowSettingsDialog();
        auto* dialog = window().findChild<pb::SettingsDialog*>();
        ASSERT_NE(dialog, nullptr);
        dialog->CmdWijzigen->click();
        dialog->CmdSave->click();
        delete dialog;
        ASSERT_TRUE(program->port.isOpen());
        noteReopened();
        for (Tab tab : {SettingsTab, UnitTab}) {
            showTab(tab);
            ticks(150);
        }
        for (int row : shownRows())
            EXPECT_EQ(unit->value(item(row)), optionOne(row)) << "row " << row;
        EXPECT_TRUE(progressEndsWith(QStringLiteral("\r\nCancelled!\r\n")));

        window().CmdLeesAlles->click();
        ASSERT_TRUE(tickUntil([this] { return allServed(); }));
        for (int row : shownRows())
            EXPECT_TRUE(shownAsConfirmed(row)) << "row " << row;
    }
};

TEST_F(DialogSave, AWriteAllUnderWayStopsWithoutSendingTheDefaults)
{
    ASSERT_NO_FATAL_FAILURE(startOnOptionOne({}));
    showTab(SettingsTab);
    for (int row : shownRows())
        window().ComboInstellingen[row]->setCurrentIndex(1);
    showTab(UnitTab);
    pbtest::pressInMessageBox(QMessageBox::Ok);
    window().CmdSchrijfAlles->click();
    ASSERT_TRUE(tickUntil([this] { return !engine().rowPending(shownRows().at(1)); }));
    starts.clear();
    ASSERT_TRUE(tickUntil([this] { return writeSent(); }));
    ASSERT_NO_FATAL_FAILURE(expectSaveDropsTheWrites());
}

TEST_F(DialogSave, AWriteRetriedThroughALostDeviceIsNotSentOnceItIsBack)
{
    pb::unitsim::UnitOptions silent;
    silent.fault = pb::unitsim::Fault::Silent;
    ASSERT_NO_FATAL_FAILURE(startOnOptionOne(silent));
    const int row = shownRows().at(1);
    showTab(SettingsTab);
    window().ComboInstellingen[row]->setCurrentIndex(1);
    window().CmdWriteSingleSetting[row]->click();
    ASSERT_TRUE(tickUntil([this] { return writeSent(); }, 40));
    line->closeMaster();
    ASSERT_TRUE(tickUntil([this] { return !program->port.isOpen(); }, 40));
    ticks(200);

    unit->setFault(pb::unitsim::Fault::None);
    line = std::make_unique<PseudoTerminal>();
    pointPortAt(*line);
    ASSERT_NO_FATAL_FAILURE(expectSaveDropsTheWrites());
}

} // namespace
