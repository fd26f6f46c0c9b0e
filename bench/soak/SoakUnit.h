#pragma once
// The virtual unit's firmware in this process, on the soak's clock, with a
// fault in every hundredth reply: no reply, a wrong checksum, noise before
// it, a reply that stops short, one too long, one too late (the unit's own
// fault modes, taken in turn). It answers at once; "late" is late on the
// tick clock, so it costs ticks, not time.
#include "TickClock.h"

#include "link/devices/LineDevice.h"
#include "unitsim/VirtualUnit.h"

#include <QByteArray>
#include <memory>

namespace pb::bench {

constexpr int kFaultEvery = 100;

class SoakUnit {
public:
    SoakUnit(int16_t unitType, const TickClock& clock);

    // The line's two directions and the flush of what the unit said.
    void receive(const QByteArray& bytes);
    QByteArray transmit();
    void discardOutput();

    // Request frames received (each one exchange), and those given a fault.
    long long frames() const { return unit_.counters().frames; }
    long long faulted() const { return faulted_; }
    // Pager calls the unit took (it keeps only the latest, so its memory stays flat).
    long long callsTaken() const { return unit_.counters().callsTaken; }

    // A device for Datacom's hook; the unit outlives it.
    std::unique_ptr<LineDevice> makeDevice();

private:
    const TickClock& clock_;
    unitsim::VirtualUnit unit_;
    long long faulted_ = 0;
};

} // namespace pb::bench
