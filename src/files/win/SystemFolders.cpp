// Where Windows installs programs, for everyone and for one user, and its
// case-insensitive folder names.
#include "files/ProgramFolder.h"

#include <QDir>

namespace pb {

QStringList ProgramFolder::systemPrefixes()
{
    // Program Files, as 64-bit and 32-bit programs see it: where installers put programs.
    QStringList prefixes;
    for (const char* name : {"ProgramFiles", "ProgramW6432", "ProgramFiles(x86)"}) {
        const QString folder = qEnvironmentVariable(name);
        if (!folder.isEmpty())
            prefixes << QDir::fromNativeSeparators(folder);
    }
    // The user's own programs folder, where an installer without administrator
    // rights puts them.
    const QString localAppData = qEnvironmentVariable("LOCALAPPDATA");
    if (!localAppData.isEmpty())
        prefixes << QDir::fromNativeSeparators(localAppData) + QStringLiteral("/Programs");
    return prefixes;
}

Qt::CaseSensitivity ProgramFolder::folderNameCase()
{
    return Qt::CaseInsensitive;
}

} // namespace pb
