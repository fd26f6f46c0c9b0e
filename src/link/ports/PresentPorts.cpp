#include "link/ports/PresentPorts.h"

#include <QDir>
#include <QFileInfo>

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

} // namespace pb
