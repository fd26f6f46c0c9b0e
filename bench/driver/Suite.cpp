#include "Suite.h"

#include "BenchProgram.h"
#include "Machine.h"
#include "Probe.h"
#include "Statistics.h"
#include "Table.h"
#include "VirtualUnit.h"

#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <memory>

namespace pb::bench {

namespace {

// Start-up and memory against the window with one label, idle CPU against
// the same window running the program's three timers, the rest absolute.
constexpr double kStartupRatio = 1.5;
constexpr double kMemoryRatio = 1.15;
constexpr double kIdleCpuRatio = 1.2;
constexpr double kTickP99Ms = 27;
constexpr double kReadAllRatio = 1.03;

using Pairs = QMap<QString, double>;

QTextStream& progress()
{
    static QTextStream stream(stderr);
    return stream;
}

// "a=1 b=2" as numbers by name.
Pairs ParsePairs(const QByteArray& line)
{
    Pairs pairs;
    for (const QByteArray& pair : line.trimmed().split(' ')) {
        const qsizetype equals = pair.indexOf('=');
        if (equals > 0)
            pairs.insert(QString::fromLatin1(pair.left(equals)), pair.mid(equals + 1).toDouble());
    }
    return pairs;
}

double Value(const Pairs& pairs, const char* name)
{
    return pairs.value(QLatin1String(name), -1);
}

// Another driver process, for a measurement taken inside a program.
std::unique_ptr<QProcess> StartSelf(const QStringList& arguments)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process->setProcessEnvironment(environment);
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(QCoreApplication::applicationFilePath(), arguments);
    return process;
}

Pairs Finish(QProcess& process, int timeoutMs)
{
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    return ParsePairs(process.readAllStandardOutput());
}

QString Ratio(double a, double b)
{
    return a > 0 && b > 0 ? QString::number(a / b, 'f', 2) : QStringLiteral("-");
}

// The starts of one program: median and spread, -1 when any start failed
// to report.
struct Starts {
    double median = -1, low = -1, high = -1;
};

Starts StartFigures(const std::vector<double>& ms)
{
    if (ms.empty() || std::any_of(ms.begin(), ms.end(), [](double v) { return v < 0; }))
        return {};
    const auto [low, high] = std::minmax_element(ms.begin(), ms.end());
    return {median(ms), *low, *high};
}

QString Spread(const Starts& s)
{
    return s.median < 0 ? QStringLiteral("-") : Figure(s.low, 1) + QStringLiteral("-") + Figure(s.high, 1);
}

// The programs in the order they are launched.
enum Program { Ours, Empty, OneLabel, ThreeTimers };

// Idle CPU depends on how a program's timers happen to fall together, which
// its start decides: the idle time is split into rounds of fresh starts.
constexpr int kIdleRounds = 3;

struct Measured {
    std::vector<Starts> starts;
    std::vector<IdleFigures> idle;            // per program, the median of the rounds
    std::vector<std::pair<double, double>> idleCpuSpread; // per program, lowest and highest round
    Pairs tickOurs, tickMinimal, readAll;
};

void MeasureStarts(const std::vector<Launch>& launches, int starts, Measured& m)
{
    progress() << "start-up, " << starts << " starts each ..." << Qt::endl;
    for (const Launch& launch : launches)
        TimeToShown(launch); // warms the caches
    std::vector<std::vector<double>> ms(launches.size());
    for (int i = 0; i < starts; ++i) {
        // Taking turns spreads the machine's moods evenly over the programs.
        for (std::size_t p = 0; p < launches.size(); ++p)
            ms[p].push_back(TimeToShown(launches[p]));
    }
    for (const std::vector<double>& program : ms)
        m.starts.push_back(StartFigures(program));
}

void MeasureIdleRounds(const std::vector<Launch>& launches, int seconds, Measured& m)
{
    std::vector<std::vector<IdleFigures>> rounds;
    for (int round = 0; round < kIdleRounds; ++round)
        rounds.push_back(MeasureIdle(launches, 3000, std::max(1, seconds / kIdleRounds)));
    for (std::size_t p = 0; p < launches.size(); ++p) {
        IdleFigures middle;
        middle.ok = true;
        std::vector<double> peak, privateMiB, peakEnd, cpu;
        for (const std::vector<IdleFigures>& round : rounds) {
            const IdleFigures& f = round.at(p);
            middle.ok = middle.ok && f.ok;
            peak.push_back(f.peakMiB);
            privateMiB.push_back(f.privateMiB);
            peakEnd.push_back(f.peakEndMiB);
            cpu.push_back(f.cpuPercent);
        }
        middle.peakMiB = median(peak);
        middle.privateMiB = median(privateMiB);
        middle.peakEndMiB = median(peakEnd);
        middle.cpuPercent = median(cpu);
        m.idle.push_back(middle);
        m.idleCpuSpread.push_back({*std::min_element(cpu.begin(), cpu.end()), *std::max_element(cpu.begin(), cpu.end())});
    }
}

void MeasureInProcess(const SuiteOptions& o, Measured& m)
{
    progress() << "engine timer, " << o.ticks << " ticks ..." << Qt::endl;
    VirtualUnit unit(o.unitsim, o.unitType, true);
    const int timeout = o.ticks * 25 * 3 + 60000;
    const QString count = QString::number(o.ticks);
    auto ours = StartSelf({QStringLiteral("ticks-program"), QStringLiteral("--port"), unit.device(),
                           QStringLiteral("--count"), count});
    auto minimal = StartSelf({QStringLiteral("ticks-minimal"), QStringLiteral("--count"), count});
    m.tickOurs = Finish(*ours, timeout);
    m.tickMinimal = Finish(*minimal, timeout);

    progress() << "read all on unit type " << o.unitType << " ..." << Qt::endl;
    auto readAll = StartSelf({QStringLiteral("readall"), QStringLiteral("--port"), unit.device(),
                              QStringLiteral("--type"), QString::number(o.unitType)});
    m.readAll = Finish(*readAll, 300000);
}

double Peak(const IdleFigures& f) { return f.ok ? f.peakMiB : -1; }
double Cpu(const IdleFigures& f) { return f.ok ? f.cpuPercent : -1; }

bool Within(double ours, double yardstick, double ratio)
{
    return ours > 0 && yardstick > 0 && ours <= ratio * yardstick;
}

std::vector<TableRow> Rows(const SuiteOptions& o, const Measured& m)
{
    const Starts& so = m.starts.at(Ours);
    const Starts& sl = m.starts.at(OneLabel);
    const IdleFigures& io = m.idle.at(Ours);
    const IdleFigures& il = m.idle.at(OneLabel);
    const IdleFigures& it = m.idle.at(ThreeTimers);
    const IdleFigures& ie = m.idle.at(Empty);
    const double p99 = Value(m.tickOurs, "p99");
    const Pairs& r = m.readAll;
    const bool allRead = Value(r, "finished") == 1 && Value(r, "read") == Value(r, "rows") && Value(r, "rows") > 0;
    const double readRatio = Value(r, "finished") == 1 ? Value(r, "ratio") : -1;
    const QString none;

    std::vector<TableRow> rows;
    rows.push_back({QStringLiteral("start-up to window shown, median of %1 (ms); yardstick: one label").arg(o.starts),
                    Figure(so.median, 1), Figure(sl.median, 1), Ratio(so.median, sl.median),
                    QStringLiteral("<= %1 x yardstick").arg(kStartupRatio),
                    Verdict(Within(so.median, sl.median, kStartupRatio))});
    rows.push_back({QStringLiteral("  spread, fastest-slowest start (ms)"), Spread(so), Spread(sl), none, none, none});
    rows.push_back({QStringLiteral("  an empty window"), none, Figure(m.starts.at(Empty).median, 1),
                    Ratio(so.median, m.starts.at(Empty).median), none, none});
    rows.push_back({QStringLiteral("  one label and the three timers"), none, Figure(m.starts.at(ThreeTimers).median, 1),
                    Ratio(so.median, m.starts.at(ThreeTimers).median), none, none});
    rows.push_back({QStringLiteral("peak resident memory after start-up, VmHWM (MiB); yardstick: one label"),
                    Figure(Peak(io), 1), Figure(Peak(il), 1), Ratio(Peak(io), Peak(il)),
                    QStringLiteral("<= %1 x yardstick").arg(kMemoryRatio),
                    Verdict(Within(Peak(io), Peak(il), kMemoryRatio))});
    rows.push_back({QStringLiteral("  an empty window"), none, Figure(Peak(ie), 1), Ratio(Peak(io), Peak(ie)), none,
                    none});
    rows.push_back({QStringLiteral("  of it private, not shared library pages (MiB)"),
                    Figure(io.ok ? io.privateMiB : -1, 1), Figure(il.ok ? il.privateMiB : -1, 1),
                    Ratio(io.privateMiB, il.privateMiB), none, none});
    rows.push_back({QStringLiteral("  VmHWM after %1 s idle (MiB)").arg(std::max(1, o.idleSeconds / kIdleRounds)),
                    Figure(io.ok ? io.peakEndMiB : -1, 1), Figure(il.ok ? il.peakEndMiB : -1, 1),
                    Ratio(io.peakEndMiB, il.peakEndMiB), none, none});
    rows.push_back({QStringLiteral("CPU idle, median of %1 rounds of %2 s, port open, engine running (% core); "
                                   "yardstick: three timers")
                        .arg(kIdleRounds)
                        .arg(std::max(1, o.idleSeconds / kIdleRounds)),
                    Figure(Cpu(io), 3), Figure(Cpu(it), 3), Ratio(Cpu(io), Cpu(it)),
                    QStringLiteral("<= %1 x yardstick").arg(kIdleCpuRatio),
                    Verdict(Within(Cpu(io), Cpu(it), kIdleCpuRatio))});
    const auto cpuSpread = [&m](Program p) {
        const auto& [low, high] = m.idleCpuSpread.at(p);
        return Figure(low, 3) + QStringLiteral("-") + Figure(high, 3);
    };
    rows.push_back({QStringLiteral("  spread, lowest-highest round (% core)"), cpuSpread(Ours), cpuSpread(ThreeTimers),
                    none, none, none});
    rows.push_back({QStringLiteral("  an empty window"), none, Figure(Cpu(ie), 3), none, none, none});
    rows.push_back({QStringLiteral("engine tick interval, median of %1 (ms)").arg(o.ticks),
                    Figure(Value(m.tickOurs, "median"), 2), Figure(Value(m.tickMinimal, "median"), 2), none, none,
                    none});
    rows.push_back({QStringLiteral("engine tick interval, 99th percentile (ms)"), Figure(p99, 2),
                    Figure(Value(m.tickMinimal, "p99"), 2), none, QStringLiteral("< %1 ms").arg(kTickP99Ms),
                    Verdict(p99 > 0 && p99 < kTickP99Ms)});
    rows.push_back({QStringLiteral("  longest interval (ms)"), Figure(Value(m.tickOurs, "max"), 2),
                    Figure(Value(m.tickMinimal, "max"), 2), none, none, none});
    rows.push_back({QStringLiteral("read all, unit type %1: %2 of %3 rows, %4 ticks, %5 ms")
                        .arg(o.unitType)
                        .arg(Value(r, "read"))
                        .arg(Value(r, "rows"))
                        .arg(Value(r, "ticks"))
                        .arg(Value(r, "wall_ms"), 0, 'f', 0),
                    none, none, none, none, none});
    rows.push_back({QStringLiteral("read all, wall time / (ticks x 25 ms)"), Figure(readRatio, 3),
                    QStringLiteral("-"), none, QStringLiteral("<= %1").arg(kReadAllRatio),
                    Verdict(allRead && readRatio > 0 && readRatio <= kReadAllRatio)});
    return rows;
}

} // namespace

int RunSuite(const SuiteOptions& o)
{
    for (const QString& file : {o.program, o.minimal, o.unitsim}) {
        if (file.isEmpty() || !QFile::exists(file)) {
            progress() << "missing program: " << file << Qt::endl;
            return 2;
        }
    }
    // A copy of the program in a folder of its own keeps its configuration
    // and log there: the unit type chosen, the virtual unit on port 1.
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("pagerbench"));
    if (!QFile::copy(o.program, copy) || !WriteBenchConfig(folder.path(), int16_t(o.unitType))) {
        progress() << "cannot set up the program in " << folder.path() << Qt::endl;
        return 2;
    }
    VirtualUnit unit(o.unitsim, o.unitType, true);
    if (unit.device().isEmpty()) {
        progress() << "the virtual unit did not start: " << o.unitsim << Qt::endl;
        return 2;
    }

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("PAGERBENCH_COM1"), unit.device());
    QProcessEnvironment withText = environment;
    withText.insert(QStringLiteral("PAGERBENCH_BENCH_MINIMAL_TEXT"), QStringLiteral("1"));
    QProcessEnvironment withTimers = environment;
    withTimers.insert(QStringLiteral("PAGERBENCH_BENCH_MINIMAL_TIMERS"), QStringLiteral("1"));
    // In the order of Program.
    const std::vector<Launch> launches{{QStringLiteral("pagerbench"), copy, environment},
                                       {QStringLiteral("empty window"), o.minimal, environment},
                                       {QStringLiteral("one label"), o.minimal, withText},
                                       {QStringLiteral("three timers"), o.minimal, withTimers}};

    Measured m;
    MeasureStarts(launches, o.starts, m);
    progress() << "memory and idle CPU, " << kIdleRounds << " rounds, " << o.idleSeconds << " s ..." << Qt::endl;
    MeasureIdleRounds(launches, o.idleSeconds, m);
    MeasureInProcess(o, m);

    QTextStream(stdout) << MachineLine() << '\n';
    PrintTable(Rows(o, m));
    const bool measured = std::all_of(m.starts.begin(), m.starts.end(), [](const Starts& s) { return s.median > 0; })
        && std::all_of(m.idle.begin(), m.idle.end(), [](const IdleFigures& f) { return f.ok; })
        && Value(m.tickOurs, "p99") > 0 && Value(m.readAll, "ratio") > 0;
    return measured ? 0 : 1;
}

} // namespace pb::bench
