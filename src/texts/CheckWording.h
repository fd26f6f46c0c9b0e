#pragma once
// The lines of a connection check: one per finding, the step's name first.
#include "link/check/CheckFinding.h"

#include <QString>

namespace pb {

// "Open    cannot open: another program holds it: process 4711 (minicom)",
// in the program's language (0 English, 1 Nederlands, 2 Deutsch, 3 Française).
QString CheckLine(const CheckFinding& finding, int language = 0);

// The captions of the controls that start a check: the Service tab's frame
// and button, the settings dialog's button beside the port.
enum class CheckControl { FrameTitle, CheckButton, CheckPortButton };
QString CheckControlText(CheckControl control, int language);

} // namespace pb
