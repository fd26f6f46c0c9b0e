// Where Linux installs programs, and its case-sensitive folder names.
#include "files/ProgramFolder.h"

namespace pb {

QStringList ProgramFolder::systemPrefixes()
{
    return {QStringLiteral("/usr"), QStringLiteral("/usr/local"), QStringLiteral("/opt")};
}

Qt::CaseSensitivity ProgramFolder::folderNameCase()
{
    return Qt::CaseSensitive;
}

} // namespace pb
