#include "SoakRig.h"

#include "link/devices/UnitPort.h"

namespace pb::bench {

SoakRig::SoakRig(SoakUnit& unit, TickClock& clock)
    : clock_(clock),
      port_(log_, PortWords(), lamps_, [&clock] { return clock.now(); }),
      engine_({port_, log_, unitType_})
{
    port_.deviceName = [](int) { return DeviceIdentity(QStringLiteral("soak")); };
    port_.makeLineDevice = [&unit](const QString&) { return unit.makeDevice(); };
    engine_.onOutcome = [this](const RequestOutcome& outcome) {
        if (outcome.id == waitingFor_)
            waitingFor_ = 0;
    };
}

bool SoakRig::start()
{
    if (OpenUnitPort(port_, 0) != 0)
        return false;
    engine_.start();
    return true;
}

void SoakRig::request(UnitRequest request, ServingMode mode)
{
    mode_ = mode;
    waitingFor_ = engine_.request(std::move(request));
}

void SoakRig::tick()
{
    clock_.tick();
    engine_.tick(mode_);
    port_.Tick();
}

} // namespace pb::bench
