#include "SoakRig.h"

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

// Whether the engine is done with what it was asked: no request left with
// it, and the engine back in Ready. The one place that knows where the
// engine keeps its requests.
bool EngineDone(const ProtocolEngine& engine)
{
    return engine.EngineState() == ProtocolEngine::State::Ready && !engine.Requests().anyPending();
}

} // namespace

SoakRig::SoakRig(SoakUnit& unit, TickClock& clock)
    : clock_(clock),
      texts_(EnglishTexts()),
      port_(window_, texts_, lamps_, [&clock] { return clock.now(); }),
      engine_({port_, rows_, grid_, texts_, window_, unitType_, window_}),
      operations_(rows_, engine_.Requests(), grid_, texts_, window_)
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
    return EngineDone(engine_);
}

} // namespace pb::bench
