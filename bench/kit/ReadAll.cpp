#include "ReadAll.h"

#include "link/EngineView.h"
#include "settings/ValueCoding.h"

#include <QElapsedTimer>
#include <QEventLoop>

namespace pb::bench {

namespace {

using State = ProtocolEngine::State;

bool Idle(const ProtocolEngine& engine)
{
    return engine.EngineState() == State::Ready || engine.EngineState() == State::ServeUnitTab;
}

} // namespace

ReadAllRun RunReadAll(BenchProgram& bench, int tickLimit)
{
    Program& program = bench.program();
    FrmHoofdscherm& window = program.window;
    window.SSTab1->setCurrentIndex(UnitTab);

    ReadAllRun run;
    bool pressed = false;
    int seen = 0;
    QElapsedTimer clock;
    QEventLoop loop;
    // Connected after the program's own connection, so it runs after each step.
    const auto connection = QObject::connect(window.TmrAfhandel, &QTimer::timeout, &loop, [&] {
        if (++seen > tickLimit) {
            loop.quit();
            return;
        }
        const ProtocolEngine& engine = program.engine;
        if (!pressed) {
            if (engine.EngineState() == State::Ready && engine.SendDelay() == 0) {
                window.CmdLeesAlles->click();
                clock.start();
                pressed = true;
            }
            return;
        }
        ++run.ticks;
        if (!engine.Requests().anyPending() && Idle(engine)) {
            run.wallMs = double(clock.nsecsElapsed()) / 1e6;
            run.finished = true;
            loop.quit();
        }
    });
    loop.exec();
    QObject::disconnect(connection);

    const SettingsGrid grid = window.grid();
    const int last = std::min<int>(HighestRow(program.state.config.UnitType), kGridRows - 1);
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
