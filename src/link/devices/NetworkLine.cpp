#include "link/devices/NetworkLine.h"

#include "BuildConfig.h"
#include "link/devices/ModuleFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace pb {

QString NetworkModuleFileName()
{
    return QStringLiteral(PAGERBENCH_NETWORK_MODULE_FILE);
}

QStringList NetworkModuleFolders()
{
    return ModuleFolders(QCoreApplication::applicationDirPath(), DevelopmentModuleFolder());
}

NetworkLineFactory* LoadNetworkModule(const QStringList& folders)
{
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(NetworkModuleFileName());
        if (!QFileInfo::exists(path))
            continue;
        // The loaded module stays loaded for the rest of the run; every
        // loader of the same file hands out the same instance.
        QPluginLoader loader(path);
        if (auto* factory = qobject_cast<NetworkLineFactory*>(loader.instance()))
            return factory;
    }
    return nullptr;
}

} // namespace pb
