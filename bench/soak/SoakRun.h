#pragma once
// The soak: the engine on the in-process unit for a number of exchanges,
// tick after tick with no timer, and what it cost in time and memory.
#include <QString>
#include <functional>

namespace pb::bench {

struct SoakOptions {
    long long exchanges = 1000000;
    long long warmUp = 5000; // exchanges before the first memory reading
};

struct SoakResult {
    QString failure;          // empty when the soak ran to the end
    long long exchanges = 0;  // request frames answered or failed
    long long faulted = 0;    // of them with a fault of the unit
    long long callsTaken = 0;
    long long logLines = 0;
    long long ticks = 0;
    double seconds = 0;
    long long residentAfterWarmUpKiB = -1;
    long long residentAtEndKiB = -1;
};

// Told now and then how many exchanges are done after how many seconds.
using SoakProgress = std::function<void(long long exchanges, double seconds)>;

SoakResult RunSoak(const SoakOptions& options, const SoakProgress& progress);

} // namespace pb::bench
