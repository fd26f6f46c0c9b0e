#include "link/PresentPorts.h"

#include <QDir>
#include <QFileInfo>
#ifdef Q_OS_WIN
#include "link/win/SerialCommPorts.h"
#else
#include <QSerialPortInfo>
#endif

namespace pb {

QHash<QString, QString> LinkNamesByTarget(const QString& folder)
{
    QHash<QString, QString> names;
    // The targets are devices: System lists the links that lead to them.
    const QFileInfoList links =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& link : links) {
        const QString target = link.canonicalFilePath();
        if (!target.isEmpty() && !names.contains(target))
            names.insert(target, link.fileName());
    }
    return names;
}

QList<PortDescription> PresentPorts()
{
    QList<PortDescription> ports;
#ifdef Q_OS_LINUX
    const QHash<QString, QString> byId = LinkNamesByTarget(QStringLiteral("/dev/serial/by-id"));
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString location = info.systemLocation();
        ports.append({location, byId.value(QFileInfo(location).canonicalFilePath()), info.description(),
                      info.serialNumber()});
    }
#elif defined(Q_OS_WIN)
    // Windows gives the numbers: listed only to be shown and found again.
    for (const SerialCommPort& port : SerialCommPorts())
        ports.append({port.portName, QString(), QString(), QString()});
#endif
    return ports;
}

} // namespace pb
