#pragma once
// The main window's side of the protocol engine. The buttons become
// requests; the visible tab says on every tick what the engine serves; the
// reports go into the row values and the grid, then into words. None of it
// talks to the port.
#include "app/UnitWindow.h"
#include "link/protocol/ProtocolEngine.h"
#include "log/LogSink.h"
#include "settings/GridModel.h"
#include "settings/RowValues.h"
#include "texts/ExchangeNarration.h"
#include "texts/TextTable.h"

#include <QString>
#include <optional>

namespace pb {

// A test call of this run: the fields as they went out, and whether the
// unit took it.
struct TestCallRecord {
    CallFields fields;
    bool taken = false;
};

// Every part belongs to the program and outlives the driver.
struct DriverParts {
    ProtocolEngine& engine;
    RowValues& rows;
    GridModel& grid;
    const TextTable& texts;
    LogSink& log;
    const int16_t& unitType;
    UnitWindow& window;
};

class UnitDriver {
public:
    explicit UnitDriver(const DriverParts& parts);

    // What each tab has the engine serve: the status tab shows what the unit
    // prints, the settings tab reads and writes rows, the unit tab also
    // reads and writes all of them within the failure limit, the service tab
    // makes the test call, and the file tab leaves the port alone.
    static ServingMode ModeOfTab(int tab);

    // One step of the engine, serving what the visible tab says.
    void tick();

    // CmdReadSingleSetting(row)
    void ReadSingleSetting(int row);
    // CmdWriteSingleSetting(row): the value shown is the one sent.
    void WriteSingleSetting(int row);
    // CmdLeesAlles: the rows shown when the engine takes it up.
    void ReadAll();

    // CmdSchrijfAlles asks this first (OK and Cancel, title texts[TxtProgramTitle]).
    QString WriteAllQuestion() const;
    // CmdSchrijfAlles once the user agreed: the rows shown and their values
    // when the engine takes it up.
    void WriteAll();

    // CmdCancelReadWrite: drops the pending rows; an exchange under way
    // still finishes and its value is stored.
    void Cancel();
    // CmdWisLogVenster
    void ClearProgress();

    // CmdTestOproepPager: false when the pager address is empty; nothing is
    // requested then and the window tells the user (texts[TxtEnterValidPagerNumber]).
    // The fields go out as they are when the call frame does.
    bool TestCall();
    // The last test call asked for in this run, if any.
    const std::optional<TestCallRecord>& lastCall() const { return lastCall_; }

private:
    // A read's value goes into the row it names, a write's is confirmed.
    void apply(const ExchangeReport& report);
    // The rows the unit type shows; for a write with the grid's values.
    QList<RowValue> shownRows(bool withValues);

    DriverParts parts_;
    ExchangeNarration narration_;
    std::optional<TestCallRecord> lastCall_;
};

} // namespace pb
