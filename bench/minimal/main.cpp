// The yardsticks of the benchmark: one empty window of the main window's
// size, nothing else. Answers PAGERBENCH_BENCH_EXIT_AFTER_SHOW=1 the way the
// program does. PAGERBENCH_BENCH_MINIMAL_TEXT=1 adds one text label, which
// carries the font set-up that any text pays; PAGERBENCH_BENCH_MINIMAL_TIMERS=1
// adds that label and the program's three periodic timers (25 ms precise,
// 100 ms, 250 ms) with nothing behind them: the floor of the idle cost.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>

namespace {

void StartTimer(QTimer& timer, int ms, Qt::TimerType type)
{
    timer.setTimerType(type);
    timer.setInterval(ms);
    timer.start();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1016, 660);
    const bool timers = qEnvironmentVariableIntValue("PAGERBENCH_BENCH_MINIMAL_TIMERS") == 1;
    if (timers || qEnvironmentVariableIntValue("PAGERBENCH_BENCH_MINIMAL_TEXT") == 1)
        new QLabel(QStringLiteral("Pagerbench"), &window);
    QTimer tick, colours, lamps;
    if (timers) {
        StartTimer(tick, 25, Qt::PreciseTimer);
        StartTimer(colours, 100, Qt::CoarseTimer);
        StartTimer(lamps, 250, Qt::CoarseTimer);
    }
    window.show();

    if (qEnvironmentVariableIntValue("PAGERBENCH_BENCH_EXIT_AFTER_SHOW") == 1) {
        while (!window.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("shown %lld\n", static_cast<long long>(std::chrono::nanoseconds(now).count()));
        return 0;
    }
    return app.exec();
}
