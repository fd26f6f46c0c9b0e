#pragma once
// Read all on the Unit tab, pressed the way a user does, watched tick by tick.
#include "BenchProgram.h"

namespace pb::bench {

struct ReadAllRun {
    bool finished = false; // every row served before the limit
    int ticks = 0;         // engine ticks from the press to the last row served
    double wallMs = 0;     // the time those ticks took
    int rowsShown = 0;
    int rowsRead = 0;      // rows whose value the unit confirmed
};

// Shows the Unit tab, waits until the engine is ready, presses CmdLeesAlles
// right after a tick and runs the event loop until no row is left to serve.
ReadAllRun RunReadAll(BenchProgram& bench, int tickLimit = 2400);

} // namespace pb::bench
