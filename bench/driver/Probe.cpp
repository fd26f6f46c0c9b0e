#include "Probe.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <chrono>
#include <memory>

namespace pb::bench {

namespace {

qint64 MonotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A "Name:   1234 kB" line of a /proc file, in MiB; negative when absent.
double ProcMiB(const QString& path, const QByteArray& name)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(name + ':'))
            return line.mid(name.size() + 1).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return -1;
}

double PeakResidentMiB(qint64 pid)
{
    return ProcMiB(QStringLiteral("/proc/%1/status").arg(pid), "VmHWM");
}

// Pages the process wrote itself; the rest of its resident memory is mapped
// files, library code above all, that every program using them shares.
double PrivateMiB(qint64 pid)
{
    return ProcMiB(QStringLiteral("/proc/%1/smaps_rollup").arg(pid), "Private_Dirty");
}

// CPU time of all the process's threads in seconds, from the scheduler's
// nanosecond counts; the clock-tick counts of /proc/<pid>/stat are too coarse
// for a process that sleeps nearly all the time.
double CpuSeconds(qint64 pid)
{
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    const QStringList threads = tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (threads.isEmpty())
        return -1;
    double seconds = 0;
    for (const QString& thread : threads) {
        QFile schedstat(tasks.filePath(thread + QStringLiteral("/schedstat")));
        if (!schedstat.open(QIODevice::ReadOnly))
            return -1;
        seconds += schedstat.readAll().split(' ').value(0).toDouble() / 1e9;
    }
    return seconds;
}

} // namespace

double TimeToShown(const Launch& launch)
{
    QProcess process;
    QProcessEnvironment environment = launch.environment;
    environment.insert(QStringLiteral("PAGERBENCH_BENCH_EXIT_AFTER_SHOW"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.setStandardErrorFile(QProcess::nullDevice());
    const qint64 started = MonotonicNs();
    process.start(launch.program, {});
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        if (line.startsWith("shown "))
            return double(line.mid(6).toLongLong() - started) / 1e6;
    }
    return -1;
}

std::vector<IdleFigures> MeasureIdle(const std::vector<Launch>& launches, int settleMs, int seconds)
{
    std::vector<std::unique_ptr<QProcess>> processes;
    for (const Launch& launch : launches) {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(launch.environment);
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        process->start(launch.program, {});
        process->waitForStarted(5000);
        processes.push_back(std::move(process));
    }
    QThread::msleep(static_cast<unsigned long>(settleMs));

    std::vector<IdleFigures> figures(processes.size());
    std::vector<double> cpuBefore(processes.size());
    for (std::size_t i = 0; i < processes.size(); ++i) {
        const qint64 pid = processes[i]->processId();
        figures[i].peakMiB = PeakResidentMiB(pid);
        figures[i].privateMiB = PrivateMiB(pid);
        cpuBefore[i] = CpuSeconds(pid);
    }
    const qint64 from = MonotonicNs();
    QThread::sleep(static_cast<unsigned long>(seconds));
    const double elapsed = double(MonotonicNs() - from) / 1e9;

    for (std::size_t i = 0; i < processes.size(); ++i) {
        QProcess& process = *processes[i];
        const qint64 pid = process.processId();
        const double cpuAfter = CpuSeconds(pid);
        figures[i].peakEndMiB = PeakResidentMiB(pid);
        figures[i].cpuPercent = 100 * (cpuAfter - cpuBefore[i]) / elapsed;
        figures[i].ok = process.state() == QProcess::Running && figures[i].peakMiB > 0 && cpuBefore[i] >= 0
            && cpuAfter >= 0;
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished();
        }
    }
    return figures;
}

} // namespace pb::bench
