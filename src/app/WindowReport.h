#pragma once
// The window's commissioning report: the grid as it stands, each row marked
// where the unit has not confirmed it, in the window's language.
#include "app/AppState.h"
#include "app/UnitDriver.h"
#include "report/ReportContent.h"

#include <optional>

namespace pb {

// `device` is what the configured port stood for; `call` the last test call
// of this run.
ReportInputs WindowReportInputs(const AppState& state, const QString& device,
                                const std::optional<TestCallRecord>& call);

} // namespace pb
