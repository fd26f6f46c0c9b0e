#include "RealDesktop.h"

#include <QGuiApplication>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>

namespace pb::test {

namespace {

constexpr int kWaitMs = 10000;

class PressCounter : public QObject {
public:
    int presses = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            ++presses;
        return false;
    }
};

} // namespace

QString whyNoDesktop()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return QStringLiteral("no X display: running on the %1 platform").arg(QGuiApplication::platformName());
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        return QStringLiteral("xdotool is not installed");
    return {};
}

bool realClick(QWidget* widget, QPoint pos)
{
    const QPoint at = widget->mapToGlobal(pos);
    QProcess xdotool;
    // No --sync: it waits for a motion that never comes when the pointer is
    // there already, and the server takes the move before the click anyway.
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(at.x()),
                                               QString::number(at.y()), QStringLiteral("click"),
                                               QStringLiteral("1")});
    return xdotool.waitForFinished(kWaitMs) && xdotool.exitStatus() == QProcess::NormalExit &&
           xdotool.exitCode() == 0;
}

bool realClickArrived(QWidget* widget, QPoint pos)
{
    PressCounter counter;
    widget->window()->windowHandle()->installEventFilter(&counter);
    return realClick(widget, pos) && QTest::qWaitFor([&] { return counter.presses > 0; }, kWaitMs);
}

WindowManager::WindowManager()
{
    // Openbox runs the start-up command once it manages the screen; its
    // words come back through the shared output.
    const QByteArray ready("managing");
    process_.setStandardErrorFile(QProcess::nullDevice());
    process_.start(QStringLiteral("openbox"), {QStringLiteral("--startup"), QStringLiteral("echo ") + ready});
    QByteArray said;
    while (!said.contains(ready) && process_.waitForReadyRead(kWaitMs))
        said += process_.readAllStandardOutput();
    managing_ = said.contains(ready);
}

WindowManager::~WindowManager()
{
    // On its way out it clears its marks on the root window, which tells
    // the toolkit the display is unmanaged again.
    process_.terminate();
    process_.waitForFinished(kWaitMs);
}

} // namespace pb::test
