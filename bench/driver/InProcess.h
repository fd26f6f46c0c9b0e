#pragma once
// The measurements taken inside a program's own process. Each runs in a
// fresh driver process and prints one line of "name=value" pairs.
#include <QString>

namespace pb::bench {

// Intervals between timeouts of the engine timer TmrAfhandel, the program
// running on the device. Prints median= p99= max= mean= in milliseconds.
int TickProgram(const QString& device, int count);
// The same for a bare 25 ms precise timer beside one empty window.
int TickMinimal(int count);
// Read all on unit type `unitType`. Prints ticks= wall_ms= ratio= rows=
// read= finished=.
int ReadAllOnce(const QString& device, int unitType);

} // namespace pb::bench
