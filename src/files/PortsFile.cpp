#include "files/PortsFile.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

namespace pb {

namespace {

constexpr QLatin1String kSection("ports");

// The port number of a key such as "Com3", or 0.
int portNumberOf(const QString& key)
{
    static const QRegularExpression pattern(QStringLiteral("^com([1-9]\\d{0,3})$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(key);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QString keyOf(int portNumber)
{
    return QStringLiteral("Com") + QString::number(portNumber);
}

// QSettings reads a value with an unquoted comma as a list.
QString textOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

PortEntries entriesOf(const QString& path)
{
    PortEntries entries;
    if (!QFileInfo(path).isFile())
        return entries;
    QSettings file(path, QSettings::IniFormat);
    file.beginGroup(kSection);
    for (const QString& key : file.childKeys()) {
        const int number = portNumberOf(key);
        const QString device = textOf(file.value(key)).trimmed();
        if (number > 0 && !device.isEmpty())
            entries[number] = device;
    }
    return entries;
}

QString failureOf(QSettings::Status status)
{
    switch (status) {
    case QSettings::NoError:
        return QString();
    case QSettings::AccessError:
        return QStringLiteral("The file cannot be written.");
    case QSettings::FormatError:
        return QStringLiteral("The file is not in INI format.");
    }
    return QStringLiteral("Unknown error");
}

} // namespace

PortEntries ReadPortEntries(const ProgramFolder& folder)
{
    return entriesOf(folder.portsFileToRead());
}

WriteOutcome WritePortEntry(const ProgramFolder& folder, const PortEntry& entry)
{
    const QString path = folder.portsFile();
    const QString device = entry.device.trimmed();
    const PortEntries current = ReadPortEntries(folder);
    const auto found = current.find(entry.number);
    if (found == current.end() ? device.isEmpty() : found->second == device)
        return {path, QString()};

    const bool firstOwnCopy = !QFileInfo::exists(path);
    QSettings file(path, QSettings::IniFormat);
    file.beginGroup(kSection);
    if (firstOwnCopy) {
        for (const auto& [number, shipped] : current)
            file.setValue(keyOf(number), shipped);
    }
    // Whatever the key's case, one entry is left for the port.
    for (const QString& key : file.childKeys())
        if (portNumberOf(key) == entry.number)
            file.remove(key);
    if (!device.isEmpty())
        file.setValue(keyOf(entry.number), device);
    file.endGroup();
    file.sync();
    return {path, failureOf(file.status())};
}

} // namespace pb
