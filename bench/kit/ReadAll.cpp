#include "ReadAll.h"

#include "settings/ValueCoding.h"
#include "ui/MainTabs.h"

#include <QElapsedTimer>
#include <QEventLoop>

namespace pb::bench {

ReadAllRun RunReadAll(BenchProgram& bench, int tickLimit)
{
    Program& program = bench.program();
    MainWindow& window = program.window;
    window.SSTab1->setCurrentIndex(UnitTab);

    ReadAllRun run;
    bool pressed = false;
    bool ended = false;
    int seen = 0;
    int startedTicks = 0;
    ProtocolEngine& engine = program.engine;
    const auto engineOutcome = engine.onOutcome;
    engine.onOutcome = [&](const RequestOutcome& outcome) {
        ended = ended || outcome.kind == RequestKind::ReadAll;
        if (engineOutcome)
            engineOutcome(outcome);
    };
    QElapsedTimer clock;
    QEventLoop loop;
    // Connected after the program's own connection, so it runs after each step.
    const auto connection = QObject::connect(window.TmrAfhandel, &QTimer::timeout, &loop, [&] {
        if (++seen > tickLimit) {
            loop.quit();
            return;
        }
        if (!pressed) {
            // Pressed once the engine's start delay is over.
            if (engine.started() && ++startedTicks > kWakeUpTicks) {
                window.CmdLeesAlles->click();
                clock.start();
                pressed = true;
            }
            return;
        }
        ++run.ticks;
        if (ended) {
            run.wallMs = double(clock.nsecsElapsed()) / 1e6;
            run.finished = true;
            loop.quit();
        }
    });
    loop.exec();
    QObject::disconnect(connection);
    engine.onOutcome = engineOutcome;

    const SettingsGrid grid = window.grid();
    const int last = std::min<int>(HighestRow(program.state.config.unitType), kGridRows - 1);
    for (int r = 0; r <= last; ++r) {
        if (!RowShown(grid, r))
            continue;
        ++run.rowsShown;
        if (program.state.rows.SettingsInUnit[r] != -1)
            ++run.rowsRead;
    }
    return run;
}

} // namespace pb::bench
