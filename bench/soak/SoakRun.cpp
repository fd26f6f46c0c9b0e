#include "SoakRun.h"

#include "ResidentMemory.h"
#include "SoakRig.h"
#include "Workload.h"

#include <QElapsedTimer>
#include <algorithm>

namespace pb::bench {

namespace {

// An operation takes a few dozen ticks, a read all with faults some
// hundreds; an engine still busy after this many has stopped serving.
constexpr long long kTicksPerOperation = 20000;
constexpr int kProgressReports = 10;

} // namespace

SoakResult RunSoak(const SoakOptions& options, const SoakProgress& progress)
{
    SoakResult result;
    TickClock clock;
    SoakUnit unit(SoakRig::kUnitType, clock);
    SoakRig rig(unit, clock);
    Workload workload(SoakRig::kUnitType);
    if (!rig.start()) {
        result.failure = QStringLiteral("the port on the unit did not open");
        return result;
    }

    // A short soak still reads the memory once early.
    const long long warmUp = std::min(options.warmUp, options.exchanges / kProgressReports);
    const long long reportEvery = std::max(1LL, options.exchanges / kProgressReports);
    long long nextReport = reportEvery;
    bool cancelled = false;
    QElapsedTimer timer;
    timer.start();
    while (unit.frames() < options.exchanges && result.failure.isEmpty()) {
        workload.askNext(rig);
        for (long long ticks = 0; !rig.done(); ++ticks) {
            if (ticks == kTicksPerOperation) {
                result.failure = QStringLiteral("the engine stopped serving after %1 exchanges").arg(unit.frames());
                break;
            }
            rig.tick();
            ++result.ticks;
            // Ends a read all or write all on the last exchange wanted.
            if (!cancelled && unit.frames() >= options.exchanges) {
                rig.cancel();
                cancelled = true;
            }
        }
        if (result.residentAfterWarmUpKiB < 0 && unit.frames() >= warmUp)
            result.residentAfterWarmUpKiB = ResidentKiB();
        if (unit.frames() >= nextReport) {
            progress(unit.frames(), double(timer.nsecsElapsed()) / 1e9);
            nextReport += reportEvery;
        }
    }
    result.seconds = double(timer.nsecsElapsed()) / 1e9;
    result.residentAtEndKiB = ResidentKiB();
    result.exchanges = unit.frames();
    result.faulted = unit.faulted();
    result.callsTaken = unit.callsTaken();
    result.logLines = rig.logLines();
    return result;
}

} // namespace pb::bench
