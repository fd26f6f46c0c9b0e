#pragma once
// The soak's time: 25 ms pass with each engine tick and never otherwise, so
// the unit's time-outs and sleep run on ticks while the machine goes flat out.
#include <QtGlobal>

namespace pb::bench {

class TickClock {
public:
    static constexpr qint64 kTickMs = 25;

    qint64 now() const { return ms_; }
    void tick() { ms_ += kTickMs; }

private:
    qint64 ms_ = 0;
};

} // namespace pb::bench
