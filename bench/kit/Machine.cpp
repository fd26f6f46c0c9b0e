#include "Machine.h"

#include <QByteArray>
#include <QFile>
#include <QSysInfo>
#include <QThread>

namespace pb::bench {

QString MachineLine()
{
    QString model;
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (cpuinfo.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : cpuinfo.readAll().split('\n')) {
            if (line.startsWith("model name")) {
                model = QString::fromLatin1(line.mid(line.indexOf(':') + 1).trimmed());
                break;
            }
        }
    }
    return QStringLiteral("machine: %1 cores, %2, %3, Qt %4")
        .arg(QThread::idealThreadCount())
        .arg(model, QSysInfo::prettyProductName(), QString::fromLatin1(qVersion()));
}

} // namespace pb::bench
