#include "files/ProgramFolder.h"

#include "BuildConfig.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <algorithm>

namespace pb {

namespace {

// Symbolic links resolved where the folder exists (/bin may lead to /usr/bin).
QString comparable(const QString& folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return QDir::cleanPath(canonical.isEmpty() ? info.absoluteFilePath() : canonical);
}

// Tried rather than asked: on Windows QFileInfo::isWritable does not look
// at the folder's permissions, and on Linux root passes every permission
// check, while neither may create files in a read-only place.
bool mayCreateFilesIn(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.pagerbench-probe-XXXXXX"));
    return probe.open();
}

} // namespace

QStringList ProgramFolder::installPrefixes()
{
    return systemPrefixes() << QStringLiteral(PAGERBENCH_INSTALL_PREFIX);
}

bool ProgramFolder::isInside(const QString& folder, const QString& prefix)
{
    if (prefix.isEmpty())
        return false;
    const QString base = comparable(prefix);
    // The root folder would claim every copy of the program.
    if (QDir(base).isRoot())
        return false;
    const QString path = comparable(folder);
    const Qt::CaseSensitivity nameCase = folderNameCase();
    return path.compare(base, nameCase) == 0 || path.startsWith(base + u'/', nameCase);
}

ProgramFolder ProgramFolder::locate(const QString& executableFolder)
{
    return locate(executableFolder, installPrefixes());
}

ProgramFolder ProgramFolder::locate(const QString& executableFolder, const QStringList& prefixes)
{
    const QFileInfo own(executableFolder);
    const bool installed = std::any_of(prefixes.begin(), prefixes.end(), [&](const QString& prefix) {
        return isInside(executableFolder, prefix);
    });
    // Local, not roaming, on Windows: logs and adapter numbers belong to this machine.
    const QString perUser = QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    if (!installed && own.isDir() && mayCreateFilesIn(own.absoluteFilePath()))
        return {QDir::cleanPath(own.absoluteFilePath()), QString(), perUser};

    QDir().mkpath(perUser);
    return {perUser, own.isDir() ? QDir::cleanPath(own.absoluteFilePath()) : QString(), perUser};
}

QString ProgramFolder::toRead(const QString& name) const
{
    const QString own = path + name;
    if (shipped.isEmpty() || QFileInfo(own).isFile())
        return own;
    const QString besideExecutable = shipped + name;
    return QFileInfo(besideExecutable).isFile() ? besideExecutable : own;
}

} // namespace pb
