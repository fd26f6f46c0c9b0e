#pragma once
// What the settings dialog's Save does to the running program, once the
// dialog has taken its fields into the configuration.
#include "app/AppState.h"

#include <functional>

namespace pb {

class MainWindow;
class SettingsDialog;

// The serial port as the save sequence needs it. `open` opens port
// state.config.portIndex + 1 at 19200 baud, 8 data bits, no parity, 1 stop
// bit, no handshake; its outcome is the serial layer's to report.
// `dropRequests` drops what the engine was asked for and the exchange under
// way, the engine going on.
struct PortControl {
    std::function<void()> close;
    std::function<void()> open;
    std::function<void()> dropRequests;
};

// Every step runs, changed or not, in this order: the configuration file
// written; the selected port's device written to ports.ini; the grid
// rebuilt for the unit type with the default settings; the requests that
// were waiting dropped, since they would send those; the port closed and
// opened; the texts loaded and the captions of both windows set; the grid
// rebuilt in the new language showing the values loaded. A file that could
// not be written is reported last, over `dialog`.
void ApplySettings(AppState& state, MainWindow& window, SettingsDialog& dialog, const PortControl& port);

} // namespace pb
