#include "app/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace pb {

ProgramFolder ProgramFolder::locate(const QString& executableFolder)
{
    const QFileInfo own(executableFolder);
    if (own.isDir() && own.isWritable())
        return {QDir::cleanPath(own.absoluteFilePath())};

    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(perUser);
    return {QDir::cleanPath(perUser)};
}

} // namespace pb
