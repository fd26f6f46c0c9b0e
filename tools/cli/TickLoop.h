#pragma once
// The program's 25 ms tick in a local event loop, for a command that runs
// the engine or a check until it is done.
#include "Interruption.h"

#include <functional>

namespace pb::cli {

// Calls `tick` every 25 ms (a precise timer) until `done` says so after a
// tick, the time is up (negative: no limit) or Ctrl-C or SIGTERM came;
// true for the last.
bool RunTicks(const Interruption& interruption, const std::function<void()>& tick,
              const std::function<bool()>& done, int milliseconds = -1);

} // namespace pb::cli
