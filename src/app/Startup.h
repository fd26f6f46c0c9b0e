#pragma once
// The start-up sequence and the service level.
#include "app/AppState.h"

namespace pb {

class MainWindow;
class Program;

// Reads the service level from the command-line text: "/LOG" gives 1, "/DEBUG"
// (tested after it) gives 2; both are case-sensitive and may stand anywhere.
int16_t ServiceLevelFromCommandLine(const QString& commandLine);

// Runs once from the main window's load, before the window is shown.
void StartProgram(Program& program);

// Shows or hides the service controls of the main window for state.serviceLevel.
void ApplyServiceLevel(AppState& state, MainWindow& window);

} // namespace pb
