// The benchmark driver. bench/run.sh calls
//   pagerbench-bench run --program P --minimal M --unitsim U
//                        [--type 3] [--starts 20] [--idle 30] [--ticks 2000]
// which measures the program beside the minimal program and prints the
// table. The measurements inside a program run in driver processes of their
// own, started by the run:
//   pagerbench-bench ticks-program --port DEVICE --count N
//   pagerbench-bench ticks-minimal --count N
//   pagerbench-bench readall --port DEVICE --type T
#include "InProcess.h"
#include "Suite.h"

#include <QApplication>
#include <QMap>
#include <QTextStream>

namespace {

using Options = QMap<QString, QString>;

// "--name value" pairs after the command.
Options ParseOptions(const QStringList& arguments)
{
    Options options;
    for (qsizetype i = 2; i + 1 < arguments.size(); i += 2)
        options.insert(arguments.at(i).mid(2), arguments.at(i + 1));
    return options;
}

int Number(const Options& options, const char* name, int fallback)
{
    return options.value(QLatin1String(name), QString::number(fallback)).toInt();
}

} // namespace

int main(int argc, char* argv[])
{
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (command == QLatin1String("run")) {
        QCoreApplication app(argc, argv);
        const Options options = ParseOptions(app.arguments());
        pb::bench::SuiteOptions suite;
        suite.program = options.value(QStringLiteral("program"));
        suite.minimal = options.value(QStringLiteral("minimal"));
        suite.unitsim = options.value(QStringLiteral("unitsim"));
        suite.unitType = Number(options, "type", suite.unitType);
        suite.starts = Number(options, "starts", suite.starts);
        suite.idleSeconds = Number(options, "idle", suite.idleSeconds);
        suite.ticks = Number(options, "ticks", suite.ticks);
        return pb::bench::RunSuite(suite);
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Options options = ParseOptions(app.arguments());
    const QString port = options.value(QStringLiteral("port"));
    if (command == QLatin1String("ticks-program"))
        return pb::bench::TickProgram(port, Number(options, "count", 2000));
    if (command == QLatin1String("ticks-minimal"))
        return pb::bench::TickMinimal(Number(options, "count", 2000));
    if (command == QLatin1String("readall"))
        return pb::bench::ReadAllOnce(port, Number(options, "type", 3));
    QTextStream(stderr) << "usage: pagerbench-bench run --program P --minimal M --unitsim U\n";
    return 2;
}
