#pragma once
// Where the program keeps its configuration file, default settings and logs.
#include <QString>

namespace pb {

struct ProgramFolder {
    QString path; // without a trailing separator

    QString configFile() const { return path + QStringLiteral("/Pagerbench.set"); }
    QString defaultSettingsFile() const { return path + QStringLiteral("/default.set"); }
    QString logFolder() const { return path + QStringLiteral("/Log"); }

    // The executable's own folder when it can be written to, so that a copy of
    // the program in any folder is self-contained; otherwise (an installation
    // under /usr) the per-user data folder.
    static ProgramFolder locate(const QString& executableFolder);
};

} // namespace pb
