#include "VirtualUnit.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

namespace pb::bench {

VirtualUnit::VirtualUnit(const QString& simulator, int unitType, bool quiet)
{
    if (!output_.open())
        return;
    QStringList arguments{QStringLiteral("--type"), QString::number(unitType)};
    if (quiet)
        arguments << QStringLiteral("--quiet");
    process_.setStandardOutputFile(output_.fileName());
    process_.setStandardErrorFile(QProcess::nullDevice());
    process_.start(simulator, arguments);
    if (!process_.waitForStarted(5000))
        return;

    // The first line names the pseudo-terminal: "pty: /dev/pts/N".
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 10000 && process_.state() == QProcess::Running) {
        QFile file(output_.fileName());
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray first = file.readLine();
            if (first.endsWith('\n') && first.startsWith("pty: ")) {
                device_ = QString::fromLocal8Bit(first.mid(5).trimmed());
                return;
            }
        }
        QThread::msleep(20);
    }
}

VirtualUnit::~VirtualUnit()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

} // namespace pb::bench
