#pragma once
// The lines of a connection check: one per finding, the step's name first.
#include "link/check/CheckFinding.h"

#include <QString>

namespace pb {

// "Open    cannot open: another program holds it: process 4711 (minicom)"
QString CheckLine(const CheckFinding& finding);

} // namespace pb
