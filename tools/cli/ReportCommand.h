#pragma once
// report: the unit's settings (read as read reads them) or a settings
// file's, the differences from a reference file, a test call and the
// fingerprint, as a PDF. Needs a QGuiApplication (main makes one for it).
#include "UnitCommands.h"

namespace pb::cli {

int Report(const UnitCommand& command);

} // namespace pb::cli
