// Where Windows installs programs, and its case-insensitive folder names.
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
    return prefixes;
}

Qt::CaseSensitivity ProgramFolder::folderNameCase()
{
    return Qt::CaseInsensitive;
}

} // namespace pb
