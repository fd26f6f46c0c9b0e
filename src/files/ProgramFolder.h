#pragma once
// Where the program keeps its configuration file, default settings and logs.
#include <QString>
#include <QStringList>

namespace pb {

struct ProgramFolder {
    QString path;    // where the files are written; without a trailing separator
    QString shipped; // the executable's folder when that is elsewhere, else empty
    QString perUser; // the per-user data folder; empty means `path`

    // Where the files are written.
    QString configFile() const { return path + QStringLiteral("/Pagerbench.set"); }
    QString defaultSettingsFile() const { return path + QStringLiteral("/default.set"); }
    QString logFolder() const { return path + QStringLiteral("/Log"); }
    QString portsFile() const { return path + QStringLiteral("/ports.ini"); }
    // Belongs to this machine and user, not to a copy of the program.
    QString adapterNumbersFile() const
    {
        return (perUser.isEmpty() ? path : perUser) + QStringLiteral("/adapters.ini");
    }
    // The user's own: who makes the reports, and where.
    QString reportFieldsFile() const
    {
        return (perUser.isEmpty() ? path : perUser) + QStringLiteral("/report.ini");
    }

    // Where they are read: the program's own copy once there is one, before
    // that the copy a site ships beside an installed executable.
    QString configFileToRead() const { return toRead(QStringLiteral("/Pagerbench.set")); }
    QString defaultSettingsFileToRead() const { return toRead(QStringLiteral("/default.set")); }
    QString portsFileToRead() const { return toRead(QStringLiteral("/ports.ini")); }

    // The executable's own folder when files can be made in it and is not part
    // of an installation, so that a copy of the program in any folder is
    // self-contained; otherwise the per-user data folder, with the
    // executable's folder kept for reading what is shipped there. An
    // installed program must not write beside itself even when it could
    // (as root).
    static ProgramFolder locate(const QString& executableFolder);
    static ProgramFolder locate(const QString& executableFolder, const QStringList& installPrefixes);

    // /usr, /usr/local, /opt (on Windows the Program Files folders) and the
    // prefix the build installs into.
    static QStringList installPrefixes();
    // True when the folder is the prefix itself or lies below it.
    static bool isInside(const QString& folder, const QString& prefix);

private:
    QString toRead(const QString& name) const;
    // The system's own (files/unix, files/win).
    static QStringList systemPrefixes();
    static Qt::CaseSensitivity folderNameCase();
};

} // namespace pb
