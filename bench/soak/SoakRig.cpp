#include "SoakRig.h"

#include "link/Flags.h"
#include "link/UnitPort.h"
#include "settings/SetupUnitType.h"

namespace pb::bench {

namespace {

constexpr int16_t kEnglish = 0;

TextTable EnglishTexts()
{
    TextTable texts;
    int16_t language = kEnglish;
    LaadTeksten(texts, language);
    return texts;
}

// Whether the engine is done with what it was asked: no row waiting, no
// read all, write all or test call left, and the engine back in Ready.
// The one place that knows where the engine keeps its requests.
bool EngineDone(const ProtocolEngine& engine, const RowValues& rows)
{
    for (int row = 0; row < kGridRows; ++row) {
        if (rows.RowRequest[row] != NoRequest)
            return false;
    }
    const UnitRequestRecord& requests = engine.UnitRequests();
    return engine.EngineState() == ProtocolEngine::State::Ready && requests.ReadAll == kFalse
        && requests.WriteAll == kFalse && requests.TestCall == kFalse;
}

} // namespace

SoakRig::SoakRig(SoakUnit& unit, TickClock& clock)
    : clock_(clock),
      texts_(EnglishTexts()),
      port_(window_, texts_, lamps_, [&clock] { return clock.now(); }),
      engine_({port_, rows_, grid_, texts_, window_, unitType_, window_}),
      operations_(rows_, engine_.UnitRequests(), grid_, texts_, window_)
{
    SetupUnitType(grid_, texts_, unitType_);
    port_.deviceName = [](int) { return DeviceIdentity(QStringLiteral("soak")); };
    port_.makeLineDevice = [&unit](const QString&) { return unit.makeDevice(); };
}

bool SoakRig::start()
{
    if (OpenUnitPort(port_, 0) != 0)
        return false;
    engine_.ProtocolTick(kStartCommand);
    return true;
}

void SoakRig::tick()
{
    clock_.tick();
    engine_.ProtocolTick(0);
    port_.Tick();
}

bool SoakRig::done() const
{
    return EngineDone(engine_, rows_);
}

} // namespace pb::bench
