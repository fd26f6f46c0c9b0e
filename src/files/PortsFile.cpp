#include "files/PortsFile.h"

#include "files/IniText.h"

#include <QRegularExpression>

namespace pb {

namespace {

const QString kSection = QStringLiteral("ports");

PortEntries entriesOf(const IniText& file)
{
    PortEntries entries;
    // A later entry for the same port holds, as it would in the section.
    for (const IniEntry& entry : file.entries(kSection)) {
        const int number = PortNumberOfName(entry.key);
        if (number > 0)
            entries[number] = entry.value;
    }
    for (auto i = entries.begin(); i != entries.end();)
        i = i->second.isEmpty() ? entries.erase(i) : std::next(i);
    return entries;
}

} // namespace

int PortNumberOfName(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^com([1-9]\\d{0,3})$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(name);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

PortEntries ReadPortEntries(const ProgramFolder& folder)
{
    return entriesOf(IniText::read(folder.portsFileToRead()));
}

WriteOutcome WritePortEntry(const ProgramFolder& folder, const PortEntry& entry)
{
    const QString path = folder.portsFile();
    const QString device = entry.device.trimmed();
    // The first own copy starts as the shipped file, comments and all.
    IniText file = IniText::read(folder.portsFileToRead());
    const PortEntries current = entriesOf(file);
    const auto found = current.find(entry.number);
    if (found == current.end() ? device.isEmpty() : found->second == device)
        return {path, QString()};

    // Whatever the key's case, one entry is left for the port.
    const auto samePort = [&entry](const QString& key) { return PortNumberOfName(key) == entry.number; };
    if (device.isEmpty())
        file.removeEntries(kSection, samePort);
    else
        file.setEntry(kSection, samePort, {QStringLiteral("Com") + QString::number(entry.number), device});
    return file.write(path);
}

} // namespace pb
