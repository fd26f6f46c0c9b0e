// pagerbench-cli: the unit from a shell, over the program's own core. It
// needs no display: the core links no widgets.
#include "CliCommands.h"
#include "StandardStreams.h"

#include <QCoreApplication>
#include <unistd.h>

int main(int argc, char* argv[])
{
    // First, before any thread starts: they all inherit the blocked signals.
    const pb::cli::Interruption interruption;
    pb::cli::PrepareStandardStreams();
    QCoreApplication app(argc, argv);
    // The same name as the program, so both find the same per-user folder.
    QCoreApplication::setApplicationName(QStringLiteral("Pagerbench"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.6"));
    pb::cli::CliOutput output;
    output.progress = isatty(STDERR_FILENO) == 1;
    const int status = pb::cli::RunCli(QCoreApplication::arguments().mid(1), output, interruption);
    interruption.ended(status);
    return status;
}
