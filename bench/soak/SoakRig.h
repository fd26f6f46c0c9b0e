#pragma once
// The program's engine, Datacom with its buffer and the reply reader on the
// soak's unit and clock, unit type 3 (the one with the test call). Nothing
// is worded: the log only counts its lines, so that it does not grow.
#include "SoakUnit.h"
#include "TickClock.h"

#include "link/devices/Datacom.h"
#include "link/devices/LampFlags.h"
#include "link/protocol/ProtocolEngine.h"
#include "log/LogSink.h"

namespace pb::bench {

class CountingLog : public LogSink {
public:
    void WriteLog(const QString&) override { ++lines_; }
    long long lines() const { return lines_; }

private:
    long long lines_ = 0;
};

class SoakRig {
public:
    static constexpr int16_t kUnitType = 3;

    SoakRig(SoakUnit& unit, TickClock& clock);

    // Opens the port on the unit and starts the engine; false when it did not open.
    bool start();
    // Asks the engine, serving in `mode` until the request ended.
    void request(UnitRequest request, ServingMode mode);
    // One 25 ms tick of the program, at once.
    void tick();
    // The last request ended.
    bool done() const { return waitingFor_ == 0; }
    // Drops the rows still pending.
    void cancel() { engine_.cancelRows(); }

    long long logLines() const { return log_.lines(); }

private:
    TickClock& clock_;
    CountingLog log_;
    int16_t unitType_ = kUnitType;
    LampFlags lamps_;
    Datacom port_;
    ProtocolEngine engine_;
    ServingMode mode_ = ServingMode::Hold;
    RequestId waitingFor_ = 0;
};

} // namespace pb::bench
