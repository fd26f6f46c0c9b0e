// Pagerbench: a thin main over the program library.
#include "app/Program.h"

#include <QApplication>
#include <QStringList>
#include <QWindow>
#include <chrono>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pagerbench"));
    QApplication::setApplicationVersion(QStringLiteral("2.6"));
    // Wayland finds the icon through the installed pagerbench.desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral("pagerbench"));

    pb::AppState state;
    state.folder = pb::ProgramFolder::locate(QCoreApplication::applicationDirPath());
    state.commandLine = QCoreApplication::arguments().mid(1).join(u' ');

    pb::Program program(state);
    program.load();
    program.window.show();

    // For the start-up benchmark (bench/run.sh): once the window is on the
    // screen, print the monotonic clock in nanoseconds and end.
    if (qEnvironmentVariableIntValue("PAGERBENCH_BENCH_EXIT_AFTER_SHOW") == 1) {
        while (!program.window.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("shown %lld\n", static_cast<long long>(std::chrono::nanoseconds(now).count()));
        return 0;
    }
    return app.exec();
}
