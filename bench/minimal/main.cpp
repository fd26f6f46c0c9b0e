// One empty window of the main window's size, nothing else. Answers
// PAGERBENCH_BENCH_EXIT_AFTER_SHOW=1 the way the program does. With
// PAGERBENCH_BENCH_MINIMAL_TEXT=1 the window holds one text label, which
// tells the price of the font set-up that any text pays.
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1016, 660);
    if (qEnvironmentVariableIntValue("PAGERBENCH_BENCH_MINIMAL_TEXT") == 1)
        new QLabel(QStringLiteral("Pagerbench"), &window);
    window.show();

    if (qEnvironmentVariableIntValue("PAGERBENCH_BENCH_EXIT_AFTER_SHOW") == 1) {
        while (!window.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("shown %lld\n", static_cast<long long>(std::chrono::nanoseconds(now).count()));
        return 0;
    }
    return app.exec();
}
