#include "link/AdapterNumbersFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace pb {

namespace {

const QString kHeading = QStringLiteral("[adapters]");

} // namespace

AdapterNumbers ReadAdapterNumbers(const QString& path)
{
    static const QRegularExpression entry(QStringLiteral("^com([1-9]\\d{0,3})=(.+)$"),
                                          QRegularExpression::CaseInsensitiveOption);
    AdapterNumbers numbers;
    for (const QString& line : ReadTextLines(path).value_or(QStringList())) {
        const QRegularExpressionMatch match = entry.match(line.trimmed());
        if (match.hasMatch())
            numbers.emplace(match.captured(1).toInt(), match.captured(2).trimmed());
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
