#pragma once
// What the buttons of the main window do about the unit. None of them talks
// to the port: each leaves a request that the protocol engine serves on a
// later tick. Message boxes stay with the window; these run after them.
#include "link/EngineView.h"
#include "link/UnitRequests.h"
#include "settings/GridModel.h"
#include "settings/RowValues.h"
#include "texts/TextTable.h"

#include <QString>

namespace pb {

class UnitOperations {
public:
    // Every part belongs to the program and outlives the operations.
    UnitOperations(RowValues& rows, UnitRequests& requests, const GridModel& grid, const TextTable& texts,
                   EngineView& view)
        : rows_(rows), requests_(requests), grid_(grid), Tekst(texts), view_(view)
    {
    }

    // CmdReadSingleSetting(row)
    void ReadSingleSetting(int row);
    // CmdWriteSingleSetting(row): the value shown is the one sent.
    void WriteSingleSetting(int row);
    // CmdLeesAlles
    void ReadAll();

    // CmdSchrijfAlles asks this first (OK and Cancel, title Tekst[TxtProgramTitle]).
    QString WriteAllQuestion() const;
    // CmdSchrijfAlles once the user agreed.
    void WriteAll();

    // CmdCancelReadWrite: drops the pending rows; an exchange under way
    // still finishes and its value is stored.
    void Cancel();
    // CmdWisLogVenster
    void ClearProgress();

    // CmdTestOproepPager: false when the pager address is empty; nothing is
    // requested then and the window tells the user (Tekst[TxtEnterValidPagerNumber]).
    bool TestCall();

private:
    RowValues& rows_;
    UnitRequests& requests_;
    const GridModel& grid_;
    const TextTable& Tekst;
    EngineView& view_;
};

} // namespace pb
