#pragma once
// Where the program keeps its configuration file, default settings and logs.
#include <QString>
#include <QStringList>

namespace pb {

struct ProgramFolder {
    QString path; // without a trailing separator

    QString configFile() const { return path + QStringLiteral("/Pagerbench.set"); }
    QString defaultSettingsFile() const { return path + QStringLiteral("/default.set"); }
    QString logFolder() const { return path + QStringLiteral("/Log"); }

    // The executable's own folder when it can be written to and is not part
    // of an installation, so that a copy of the program in any folder is
    // self-contained; otherwise the per-user data folder. An installed
    // program must not write beside itself even when it could (as root).
    static ProgramFolder locate(const QString& executableFolder);
    static ProgramFolder locate(const QString& executableFolder, const QStringList& installPrefixes);

    // /usr, /usr/local, /opt and the prefix the build installs into.
    static QStringList installPrefixes();
    // True when the folder is the prefix itself or lies below it.
    static bool isInside(const QString& folder, const QString& prefix);
};

} // namespace pb
