#include "TickLoop.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <memory>

namespace pb::cli {

namespace {

constexpr int kTickMs = 25;

} // namespace

bool RunTicks(const Interruption& interruption, const std::function<void()>& tick,
              const std::function<bool()>& done, int milliseconds)
{
    if (interruption.happened())
        return true;
    bool interrupted = false;
    QEventLoop loop;
    std::unique_ptr<QSocketNotifier> interrupt;
    if (interruption.descriptor() >= 0) {
        interrupt = std::make_unique<QSocketNotifier>(interruption.descriptor(), QSocketNotifier::Read);
        QObject::connect(interrupt.get(), &QSocketNotifier::activated, &loop, [&] {
            interrupt->setEnabled(false); // the signal stays pending, the descriptor readable
            interrupted = true;
            loop.quit();
        });
    }
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(kTickMs);
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
        // Without a descriptor (Windows) the ticks look for Ctrl-C.
        if (!interrupt && interruption.happened()) {
            interrupted = true;
            loop.quit();
            return;
        }
        tick();
        if (done())
            loop.quit();
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (milliseconds >= 0)
        deadline.start(milliseconds);
    ticker.start();
    loop.exec();
    return interrupted;
}

} // namespace pb::cli
