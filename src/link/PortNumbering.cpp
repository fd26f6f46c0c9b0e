#include "link/PortNumbering.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <tuple>

namespace pb {

namespace {

// The k of /dev/ttyS<k>, or -1 for any other port.
int builtInIndex(const PortDescription& port)
{
    static const QRegularExpression pattern(QStringLiteral("^ttyS(\\d+)$"));
    const QRegularExpressionMatch match = pattern.match(QFileInfo(port.systemLocation).fileName());
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

bool isAdapter(const PortDescription& port)
{
    static const QRegularExpression pattern(QStringLiteral("^tty(USB|ACM)\\d+$"));
    return pattern.match(QFileInfo(port.systemLocation).fileName()).hasMatch();
}

// The text before its trailing digits and their value, so that ttyUSB2
// comes before ttyUSB10.
std::tuple<QString, qulonglong, QString> naturalKey(const QString& text)
{
    qsizetype digits = text.size();
    while (digits > 0 && text[digits - 1].isDigit())
        --digits;
    return {text.left(digits), text.mid(digits).toULongLong(), text};
}

// Those with a by-id name first, in its order; then the others by location.
bool adapterBefore(const PortDescription& a, const PortDescription& b)
{
    if (a.byIdName.isEmpty() != b.byIdName.isEmpty())
        return !a.byIdName.isEmpty();
    if (a.byIdName != b.byIdName)
        return naturalKey(a.byIdName) < naturalKey(b.byIdName);
    return naturalKey(a.systemLocation) < naturalKey(b.systemLocation);
}

} // namespace

std::map<int, PortDescription> AutomaticPortNumbers(const QList<PortDescription>& ports)
{
    std::map<int, PortDescription> numbers;
    QList<PortDescription> adapters;
    for (const PortDescription& port : ports) {
        const int index = builtInIndex(port);
        if (index >= 0)
            numbers.emplace(index + 1, port);
        else if (isAdapter(port))
            adapters.append(port);
    }
    std::sort(adapters.begin(), adapters.end(), adapterBefore);
    int next = 1;
    for (const PortDescription& adapter : adapters) {
        while (numbers.count(next) != 0)
            ++next;
        numbers.emplace(next, adapter);
    }
    return numbers;
}

QString PortDisplayText(const QString& device, const PortDescription* port)
{
    QStringList known;
    if (port != nullptr) {
        for (const QString& part : {port->description, port->serialNumber})
            if (!part.isEmpty())
                known << part;
    }
    return known.isEmpty() ? device : device + QStringLiteral(" (") + known.join(QStringLiteral(", ")) + u')';
}

} // namespace pb
