#pragma once
// The program's engine, Datacom with its buffer and the reply reader, put
// together as the main window puts them together, on the soak's unit and
// clock: unit type 3 (the one with the test call), English texts.
#include "QuietWindow.h"
#include "SoakUnit.h"
#include "TickClock.h"

#include "link/Datacom.h"
#include "link/LampFlags.h"
#include "link/ProtocolEngine.h"
#include "link/UnitOperations.h"
#include "settings/GridModel.h"
#include "settings/RowValues.h"
#include "texts/TextTable.h"

namespace pb::bench {

class SoakRig {
public:
    static constexpr int16_t kUnitType = 3;

    SoakRig(SoakUnit& unit, TickClock& clock);

    // Opens the port on the unit and starts the engine; false when it did not open.
    bool start();
    // One 25 ms tick of the program, at once.
    void tick();
    // The engine has done all that was asked of it.
    bool done() const;

    UnitOperations& operations() { return operations_; }
    GridModel& grid() { return grid_; }
    QuietWindow& window() { return window_; }

private:
    TickClock& clock_;
    QuietWindow window_;
    TextTable texts_;
    GridModel grid_;
    RowValues rows_;
    int16_t unitType_ = kUnitType;
    LampFlags lamps_;
    Datacom port_;
    ProtocolEngine engine_;
    UnitOperations operations_;
};

} // namespace pb::bench
