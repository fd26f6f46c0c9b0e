#include "Suite.h"

#include "BenchProgram.h"
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

// Start-up and memory against the minimal program, the rest absolute.
constexpr double kStartupRatio = 1.5;
constexpr double kMemoryRatio = 1.3;
constexpr double kIdleCpuPercent = 0.5;
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

// Median of the starts, -1 when any start failed to report.
double MedianStart(const std::vector<double>& ms)
{
    return std::any_of(ms.begin(), ms.end(), [](double v) { return v < 0; }) ? -1 : median(ms);
}

struct Measured {
    double startOurs = -1, startMinimal = -1, startText = -1;
    IdleFigures idleOurs, idleMinimal, idleText;
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
    m.startOurs = MedianStart(ms[0]);
    m.startMinimal = MedianStart(ms[1]);
    m.startText = MedianStart(ms[2]);
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

std::vector<TableRow> Rows(const SuiteOptions& o, const Measured& m)
{
    const IdleFigures& io = m.idleOurs;
    const IdleFigures& im = m.idleMinimal;
    const IdleFigures& it = m.idleText;
    const double peakOurs = io.ok ? io.peakMiB : -1;
    const double peakMinimal = im.ok ? im.peakMiB : -1;
    const double peakText = it.ok ? it.peakMiB : -1;
    const double cpuOurs = io.ok ? io.cpuPercent : -1;
    const double cpuMinimal = im.ok ? im.cpuPercent : -1;
    const double p99 = Value(m.tickOurs, "p99");
    const Pairs& r = m.readAll;
    const bool allRead = Value(r, "finished") == 1 && Value(r, "read") == Value(r, "rows") && Value(r, "rows") > 0;
    const double readRatio = Value(r, "finished") == 1 ? Value(r, "ratio") : -1;
    const QString none;

    std::vector<TableRow> rows;
    rows.push_back({QStringLiteral("start-up to window shown, median of %1 (ms)").arg(o.starts),
                    Figure(m.startOurs, 1), Figure(m.startMinimal, 1), Ratio(m.startOurs, m.startMinimal),
                    QStringLiteral("<= %1 x minimal").arg(kStartupRatio),
                    Verdict(m.startOurs > 0 && m.startMinimal > 0 && m.startOurs <= kStartupRatio * m.startMinimal)});
    rows.push_back({QStringLiteral("  the same, minimal window with one text label"), none, Figure(m.startText, 1),
                    Ratio(m.startOurs, m.startText), none, none});
    rows.push_back({QStringLiteral("peak resident memory after start-up, VmHWM (MiB)"), Figure(peakOurs, 1),
                    Figure(peakMinimal, 1), Ratio(peakOurs, peakMinimal),
                    QStringLiteral("<= %1 x minimal").arg(kMemoryRatio),
                    Verdict(peakOurs > 0 && peakMinimal > 0 && peakOurs <= kMemoryRatio * peakMinimal)});
    rows.push_back({QStringLiteral("  the same, minimal window with one text label"), none, Figure(peakText, 1),
                    Ratio(peakOurs, peakText), none, none});
    rows.push_back({QStringLiteral("  of it private, not shared library pages (MiB)"),
                    Figure(io.ok ? io.privateMiB : -1, 1), Figure(im.ok ? im.privateMiB : -1, 1),
                    Ratio(io.privateMiB, im.privateMiB), none, none});
    rows.push_back({QStringLiteral("  VmHWM after %1 s idle (MiB)").arg(o.idleSeconds),
                    Figure(io.ok ? io.peakEndMiB : -1, 1), Figure(im.ok ? im.peakEndMiB : -1, 1),
                    Ratio(io.peakEndMiB, im.peakEndMiB), none, none});
    rows.push_back({QStringLiteral("CPU idle %1 s, port open, engine running (% core)").arg(o.idleSeconds),
                    Figure(cpuOurs, 3), Figure(cpuMinimal, 3), none, QStringLiteral("< %1 %").arg(kIdleCpuPercent),
                    Verdict(io.ok && cpuOurs < kIdleCpuPercent)});
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
    const std::vector<Launch> launches{{QStringLiteral("pagerbench"), copy, environment},
                                       {QStringLiteral("minimal"), o.minimal, environment},
                                       {QStringLiteral("minimal with text"), o.minimal, withText}};

    Measured m;
    MeasureStarts(launches, o.starts, m);
    progress() << "memory and idle CPU, " << o.idleSeconds << " s ..." << Qt::endl;
    const std::vector<IdleFigures> idle = MeasureIdle(launches, 3000, o.idleSeconds);
    m.idleOurs = idle.at(0);
    m.idleMinimal = idle.at(1);
    m.idleText = idle.at(2);
    MeasureInProcess(o, m);

    PrintTable(Rows(o, m));
    const bool measured = m.startOurs > 0 && m.startMinimal > 0 && m.idleOurs.ok && m.idleMinimal.ok
        && Value(m.tickOurs, "p99") > 0 && Value(m.readAll, "ratio") > 0;
    return measured ? 0 : 1;
}

} // namespace pb::bench
