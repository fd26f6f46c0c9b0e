#include "link/ports/AdapterNumbersFile.h"

#include "files/PortsFile.h"

#include <QDir>
#include <QFileInfo>

namespace pb {

namespace {

const QString kHeading = QStringLiteral("[adapters]");

} // namespace

AdapterNumbers ReadAdapterNumbers(const QString& path)
{
    AdapterNumbers numbers;
    for (const QString& line : ReadTextLines(path).value_or(QStringList())) {
        const qsizetype equals = line.indexOf(u'=');
        const int number = equals < 0 ? 0 : PortNumberOfName(line.left(equals).trimmed());
        const QString key = line.mid(equals + 1).trimmed();
        if (number > 0 && !key.isEmpty())
            numbers.emplace(number, key);
    }
    return numbers;
}

WriteOutcome WriteAdapterNumbers(const QString& path, const AdapterNumbers& numbers)
{
    QStringList lines{QStringLiteral("; Com numbers given to adapters on this machine; each keeps its own."),
                      kHeading};
    for (const auto& [number, key] : numbers)
        lines << QStringLiteral("Com%1=%2").arg(number).arg(key);
    QDir().mkpath(QFileInfo(path).path());
    return WriteTextFileAtomically(path, lines);
}

AdapterNumbers RememberAdapterNumbers(const ProgramFolder& folder, const QList<PortDescription>& present)
{
    const QString path = folder.adapterNumbersFile();
    const AdapterNumbers remembered = ReadAdapterNumbers(path);
    const AdapterNumbers updated = WithNumbersGiven(remembered, AutomaticPortNumbers(present, remembered));
    // A folder that cannot be written only costs the memory, not the port.
    if (updated != remembered)
        WriteAdapterNumbers(path, updated);
    return updated;
}

} // namespace pb
