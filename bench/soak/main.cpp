// The soak benchmark; bash bench/run.sh --soak runs it.
//   pagerbench-bench-soak [--exchanges 1000000] [--warm-up 5000]
// Prints the machine, progress on standard error, and ends with the line
//   soak: N exchanges, R per second, resident memory +X MiB
// where X is signed: a shrinking process prints it with a minus.
#include "Machine.h"
#include "SoakRun.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cmath>

namespace {

constexpr double kKiBPerMiB = 1024.0;
constexpr double kGrowthTargetMiB = 1.0;

// The value after `name`, or `fallback`; 0 for one that is no count.
long long CountOption(const QStringList& arguments, const QString& name, long long fallback)
{
    const qsizetype at = arguments.indexOf(name);
    if (at < 0)
        return fallback;
    return at + 1 < arguments.size() ? arguments.at(at + 1).toLongLong() : 0;
}

QString Signed(double value)
{
    return (value < 0 ? QStringLiteral("-") : QStringLiteral("+")) + QString::number(std::abs(value), 'f', 2);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    pb::bench::SoakOptions options;
    options.exchanges = CountOption(arguments, QStringLiteral("--exchanges"), options.exchanges);
    options.warmUp = CountOption(arguments, QStringLiteral("--warm-up"), options.warmUp);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (options.exchanges <= 0 || options.warmUp <= 0) {
        err << "usage: pagerbench-bench-soak [--exchanges N] [--warm-up N]\n";
        return 2;
    }

    out << pb::bench::MachineLine() << Qt::endl;
    const pb::bench::SoakResult r = pb::bench::RunSoak(options, [&err](long long exchanges, double seconds) {
        err << "soak: " << exchanges << " exchanges after " << QString::number(seconds, 'f', 1) << " s"
            << Qt::endl;
    });
    if (!r.failure.isEmpty()) {
        err << "soak: " << r.failure << '\n';
        return 1;
    }

    const double growthMiB = double(r.residentAtEndKiB - r.residentAfterWarmUpKiB) / kKiBPerMiB;
    const double perSecond = r.seconds > 0 ? double(r.exchanges) / r.seconds : 0;
    out << "soak: " << r.faulted << " with a fault of the unit, " << r.callsTaken << " calls taken, " << r.logLines
        << " log lines, " << r.ticks << " ticks in " << QString::number(r.seconds, 'f', 1) << " s\n"
        << "soak: resident memory " << QString::number(r.residentAfterWarmUpKiB / kKiBPerMiB, 'f', 2)
        << " MiB after the warm-up, " << QString::number(r.residentAtEndKiB / kKiBPerMiB, 'f', 2)
        << " MiB at the end; growth under " << kGrowthTargetMiB << " MiB: "
        << (growthMiB < kGrowthTargetMiB ? "PASS" : "MISS") << '\n'
        << "soak: " << r.exchanges << " exchanges, " << qRound64(perSecond) << " per second, resident memory "
        << Signed(growthMiB) << " MiB\n";
    return 0;
}
