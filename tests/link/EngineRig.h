#pragma once
// The protocol engine alone on a scripted line, stepped one tick at a time
// in a serving mode the test chooses; every report and outcome is kept.
#include "link/protocol/ProtocolEngine.h"
#include "log/LogSink.h"
#include "support/ScriptedLine.h"

#include <QStringList>
#include <algorithm>
#include <vector>

namespace pbtest {

class RecordingLog : public pb::LogSink {
public:
    void WriteLog(const QString& message) override { lines << message; }
    QStringList lines;
};

class EngineRig {
public:
    EngineRig()
    {
        engine.onReport = [this](const pb::ExchangeReport& report) { reports.push_back(report); };
        engine.onOutcome = [this](const pb::RequestOutcome& outcome) { outcomes.push_back(outcome); };
    }

    void tick(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            line.AdvanceTick();
            engine.tick(mode);
        }
    }

    // Starts the engine and waits out the start delay holding, then serves
    // in `serving`.
    void start(pb::ServingMode serving)
    {
        mode = pb::ServingMode::Hold;
        engine.start();
        tick(pb::kWakeUpTicks);
        mode = serving;
    }

    bool ended(pb::RequestId id) const
    {
        return std::any_of(outcomes.begin(), outcomes.end(),
                           [id](const pb::RequestOutcome& outcome) { return outcome.id == id; });
    }

    // Ticks until the request ended; the ticks taken, or -1 past `limit`.
    int tickUntilEnded(pb::RequestId id, int limit = 2000)
    {
        for (int i = 1; i <= limit; ++i) {
            tick();
            if (ended(id))
                return i;
        }
        return -1;
    }

    ScriptedLine line;
    RecordingLog log;
    int16_t unitType = 3; // every row coded as its list position
    pb::ServingMode mode = pb::ServingMode::Hold;
    pb::ProtocolEngine engine{{line, log, unitType}};
    std::vector<pb::ExchangeReport> reports;
    std::vector<pb::RequestOutcome> outcomes;
};

} // namespace pbtest
