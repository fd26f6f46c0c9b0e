#pragma once
// What the buttons of the main window do about the unit. None of them talks
// to the port: each leaves a request that the protocol engine serves on a
// later tick. Message boxes stay with the window; these run after them.
#include "app/AppState.h"
#include "link/EngineView.h"
#include "link/UnitRequests.h"

#include <QString>

namespace pb {

class UnitOperations {
public:
    UnitOperations(AppState& state, UnitRequestRecord& requests, EngineView& view)
        : state_(state), requests_(requests), view_(view)
    {
    }

    // CmdReadSingleSetting(row)
    void ReadSingleSetting(int row);
    // CmdWriteSingleSetting(row): the value shown is the one sent.
    void WriteSingleSetting(int row);
    // CmdLeesAlles
    void ReadAll();

    // CmdSchrijfAlles asks this first (OK and Cancel, title Tekst(19)).
    QString WriteAllQuestion() const;
    // CmdSchrijfAlles once the user agreed.
    void WriteAll();

    // CmdCancelReadWrite: drops the pending rows; an exchange under way
    // still finishes and its value is stored.
    void Cancel();
    // CmdWisLogVenster
    void ClearProgress();

    // CmdTestOproepPager: false when the pager address is empty; nothing is
    // requested then and the window tells the user (Tekst(126)).
    bool TestCall();

private:
    AppState& state_;
    UnitRequestRecord& requests_;
    EngineView& view_;
};

} // namespace pb
