#include "app/WindowCheck.h"

#include "settings/ValueCoding.h"
#include "texts/CheckWording.h"
#include "texts/PortWording.h"

#include <algorithm>

namespace pb {

namespace {

// The first row the unit type shows: the check's harmless read.
int16_t FirstShownRow(const AppState& state)
{
    return ShownRowNumbers(state.config.unitType, state.grid).value(0, 0);
}

} // namespace

WindowCheck::WindowCheck(AppState& state, const CheckTarget& target, std::function<void(const QString& line)> line)
    : port_(state.logfile, PortWordsOf(state.texts), state.lamps, state.portClock),
      check_(target, state.config.unitType, FirstShownRow(state), port_)
{
    check_.onFinding = [line = std::move(line), language = state.config.language](const CheckFinding& finding) {
        line(CheckLine(finding, language));
    };
}

} // namespace pb
