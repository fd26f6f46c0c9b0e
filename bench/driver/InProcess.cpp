#include "InProcess.h"

#include "BenchProgram.h"
#include "ReadAll.h"
#include "Statistics.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextStream>
#include <QTimer>
#include <QWidget>
#include <vector>

namespace pb::bench {

namespace {

constexpr double kTickMs = 25.0;
constexpr int16_t kTickUnitType = 3;

// Timestamps `count + 1` timeouts of the timer and prints the intervals.
int MeasureTicks(QTimer* timer, int count)
{
    std::vector<qint64> stamps;
    stamps.reserve(std::size_t(count) + 1);
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QObject::connect(timer, &QTimer::timeout, &loop, [&] {
        stamps.push_back(clock.nsecsElapsed());
        if (stamps.size() > std::size_t(count))
            loop.quit();
    });
    loop.exec();

    std::vector<double> intervals;
    for (std::size_t i = 1; i < stamps.size(); ++i)
        intervals.push_back(double(stamps[i] - stamps[i - 1]) / 1e6);
    QTextStream(stdout) << "median=" << median(intervals) << " p99=" << percentile(intervals, 99)
                        << " max=" << percentile(intervals, 100) << " mean=" << mean(intervals)
                        << " count=" << intervals.size() << '\n';
    return intervals.size() == std::size_t(count) ? 0 : 1;
}

} // namespace

int TickProgram(const QString& device, int count)
{
    BenchProgram bench(device, kTickUnitType);
    if (!bench.portOpen())
        QTextStream(stderr) << "the port did not open: " << device << '\n';
    return MeasureTicks(bench.window().TmrAfhandel, count);
}

int TickMinimal(int count)
{
    QWidget window;
    window.resize(1016, 660);
    window.show();
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(int(kTickMs));
    timer.start();
    return MeasureTicks(&timer, count);
}

int ReadAllOnce(const QString& device, int unitType)
{
    BenchProgram bench(device, int16_t(unitType));
    if (!bench.portOpen()) {
        QTextStream(stderr) << "the port did not open: " << device << '\n';
        return 1;
    }
    const ReadAllRun run = RunReadAll(bench);
    const double ratio = run.ticks > 0 ? run.wallMs / (run.ticks * kTickMs) : 0;
    QTextStream(stdout) << "ticks=" << run.ticks << " wall_ms=" << run.wallMs << " ratio=" << ratio
                        << " rows=" << run.rowsShown << " read=" << run.rowsRead
                        << " finished=" << (run.finished ? 1 : 0) << '\n';
    return run.finished ? 0 : 1;
}

} // namespace pb::bench
