// pagerbench-cli: the unit from a shell, over the program's own core. It
// needs no display: the core links no widgets, and a report lays its text
// out on the minimal platform.
#include "CliCommands.h"
#include "CliRequest.h"
#include "StandardStreams.h"

#include "report/ReportPlatform.h"

#include <QGuiApplication>
#include <memory>
#include <unistd.h>

namespace {

// Only a report lays out text, and so needs a QGuiApplication.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QString problem;
    const std::optional<pb::cli::CliRequest> request = pb::cli::ParseArguments(arguments, problem);
    if (!request || request->command != pb::cli::Command::Report)
        return std::make_unique<QCoreApplication>(argc, argv);
    pb::ChooseReportPlatform();
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char* argv[])
{
    // First, before any thread starts: they all inherit the blocked signals.
    const pb::cli::Interruption interruption;
    pb::cli::PrepareStandardStreams();
    const std::unique_ptr<QCoreApplication> app = MakeApplication(argc, argv);
    // The same name as the program, so both find the same per-user folder.
    QCoreApplication::setApplicationName(QStringLiteral("Pagerbench"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.6"));
    pb::cli::CliOutput output;
    output.progress = isatty(STDERR_FILENO) == 1;
    const int status = pb::cli::RunCli(QCoreApplication::arguments().mid(1), output, interruption);
    interruption.ended(status);
    return status;
}
