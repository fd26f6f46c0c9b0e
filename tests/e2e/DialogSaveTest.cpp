// The settings dialog's Save loads the default settings into the grid: the
// writes that were waiting, and the one under way, must not send those.
// The engine goes on and serves what is asked for next.
#include "ProgramOnUnit.h"
#include "support/ModalAnswer.h"
#include "ui/FrmInstellingen.h"

#include <map>

namespace {

using namespace pbtest;
using State = pb::ProtocolEngine::State;
constexpr int16_t kUnitType = 3;

class DialogSave : public ProgramOnUnit {
protected:
    void SetUp() override
    {
        options.statusEveryMs = 0;
        options.quiet = true;
    }

    uint8_t inUnit(int row) const { return unit->value(pb::RowToItem(kUnitType, int16_t(row))); }
    // The unit holds the row's option at that position; the defaults hold 0.
    void holdInUnit(int row, int16_t position)
    {
        unit->setValue(pb::RowToItem(kUnitType, int16_t(row)), uint8_t(pb::EncodeValue(kUnitType, int16_t(row), position)));
    }

    // The unit's values of the rows with a write still waiting.
    std::map<int, uint8_t> waitingWrites() const
    {
        std::map<int, uint8_t> waiting;
        for (int row : shownRows())
            if (state.rows.RowRequest[row] == pb::WriteRequest)
                waiting[row] = inUnit(row);
        return waiting;
    }

    void saveInDialog()
    {
        program->ShowSettingsDialog();
        auto* dialog = window().findChild<pb::FrmInstellingen*>();
        ASSERT_NE(dialog, nullptr);
        dialog->CmdWijzigen->click();
        dialog->CmdSave->click();
        delete dialog;
        ASSERT_TRUE(program->port.isOpen());
    }

    // Nothing that waited reached the unit; a read all asked for now is served.
    void expectDroppedAndServingAgain(const std::map<int, uint8_t>& waiting)
    {
        ASSERT_FALSE(waiting.empty());
        for (Tab tab : {SettingsTab, UnitTab}) {
            showTab(tab);
            ticks(150);
        }
        for (const auto& [row, value] : waiting)
            EXPECT_EQ(inUnit(row), value) << "row " << row;
        EXPECT_TRUE(progressEndsWith(QStringLiteral("\r\nCancelled!\r\n")));
        EXPECT_NE(engine().EngineState(), State::NotStarted);

        window().CmdLeesAlles->click();
        ASSERT_TRUE(tickUntil([this] { return allServed(); }));
        for (int row : shownRows())
            EXPECT_TRUE(shownAsConfirmed(row)) << "row " << row;
    }

    pb::unitsim::UnitOptions options;
};

TEST_F(DialogSave, AWriteAllUnderWayStopsWithoutSendingTheDefaults)
{
    ASSERT_NO_FATAL_FAILURE(start(kUnitType, options));
    for (int row : shownRows()) {
        holdInUnit(row, 1);
        window().ComboInstellingen[row]->setCurrentIndex(1);
    }
    showTab(UnitTab);
    pbtest::pressInMessageBox(QMessageBox::Ok);
    window().CmdSchrijfAlles->click();
    ASSERT_TRUE(tickUntil([this] { return rows().RowRequest[shownRows().at(1)] == pb::NoRequest; }));
    ASSERT_TRUE(tickUntil([this] { return engine().EngineState() == State::WriteReplyStart; }));

    const std::map<int, uint8_t> waiting = waitingWrites();
    ASSERT_NO_FATAL_FAILURE(saveInDialog());
    ASSERT_NO_FATAL_FAILURE(expectDroppedAndServingAgain(waiting));
}

TEST_F(DialogSave, AWriteRetriedThroughALostDeviceIsNotSentOnceItIsBack)
{
    options.fault = pb::unitsim::Fault::Silent;
    ASSERT_NO_FATAL_FAILURE(start(kUnitType, options));
    const int row = shownRows().at(1);
    holdInUnit(row, 1);
    showTab(SettingsTab);
    window().ComboInstellingen[row]->setCurrentIndex(1);
    window().CmdWriteSingleSetting[row]->click();
    ASSERT_TRUE(tickUntil([this] { return engine().EngineState() == State::WriteReplyStart; }, 40));
    line->closeMaster();
    ASSERT_TRUE(tickUntil([this] { return !program->port.isOpen(); }, 40));
    ticks(200);

    const std::map<int, uint8_t> waiting = waitingWrites();
    unit->setFault(pb::unitsim::Fault::None);
    line = std::make_unique<PseudoTerminal>();
    pointPortAt(*line);
    ASSERT_NO_FATAL_FAILURE(saveInDialog());
    noteReopened();
    ASSERT_NO_FATAL_FAILURE(expectDroppedAndServingAgain(waiting));
}

} // namespace
