#pragma once
// Measurements of a program from outside its process: start-up time, peak
// resident memory and CPU time while it idles.
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <vector>

namespace pb::bench {

struct Launch {
    QString label;
    QString program;
    QProcessEnvironment environment;
};

// Milliseconds from just before the process is started until it reports its
// main window on screen (PAGERBENCH_BENCH_EXIT_AFTER_SHOW=1); negative when
// it did not report.
double TimeToShown(const Launch& launch);

struct IdleFigures {
    bool ok = false;
    double peakMiB = 0;     // VmHWM once start-up is over
    double privateMiB = 0;  // of the resident memory then, what is the process's own
    double peakEndMiB = 0;  // VmHWM at the end of the idle time
    double cpuPercent = 0;  // of one core, over the idle time
};

// Starts all the programs together, lets them settle, then takes their CPU
// time over `seconds` while nobody touches them.
std::vector<IdleFigures> MeasureIdle(const std::vector<Launch>& launches, int settleMs, int seconds);

} // namespace pb::bench
