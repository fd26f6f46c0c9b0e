#include "link/devices/ModuleFolders.h"

#include "BuildConfig.h"

#include <QDir>

namespace pb {

QStringList ModuleFolders(const QString& executableFolder, const QString& developmentFolder)
{
    QStringList folders{executableFolder,
                        QDir::cleanPath(executableFolder + QStringLiteral("/../" PAGERBENCH_MODULE_LIBDIR))};
    if (!developmentFolder.isEmpty())
        folders << developmentFolder;
    return folders;
}

QString DevelopmentModuleFolder()
{
#ifdef PAGERBENCH_DEVELOPMENT_MODULE_DIR
    return QStringLiteral(PAGERBENCH_DEVELOPMENT_MODULE_DIR);
#else
    return QString();
#endif
}

} // namespace pb
