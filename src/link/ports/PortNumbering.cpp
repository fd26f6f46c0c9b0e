#include "link/ports/PortNumbering.h"

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

// The first number remembered for the adapter that is still free.
bool takeRememberedNumber(const PortDescription& adapter, const AdapterNumbers& remembered,
                          std::map<int, PortDescription>& numbers)
{
    const QString key = AdapterKey(adapter);
    if (key.isEmpty())
        return false;
    for (const auto& [number, rememberedKey] : remembered) {
        if (rememberedKey == key && numbers.emplace(number, adapter).second)
            return true;
    }
    return false;
}

} // namespace

QString AdapterKey(const PortDescription& port)
{
    if (!port.byIdName.isEmpty())
        return QStringLiteral("by-id:") + port.byIdName;
    if (!port.serialNumber.isEmpty())
        return QStringLiteral("serial:") + port.serialNumber;
    return QString();
}

std::map<int, PortDescription> AutomaticPortNumbers(const QList<PortDescription>& ports,
                                                    const AdapterNumbers& remembered)
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

    // A built-in port's own number wins over a remembered one.
    QList<PortDescription> unnumbered;
    for (const PortDescription& adapter : adapters) {
        if (!takeRememberedNumber(adapter, remembered, numbers))
            unnumbered.append(adapter);
    }
    int next = 1;
    for (const PortDescription& adapter : unnumbered) {
        while (numbers.count(next) != 0 || remembered.count(next) != 0)
            ++next;
        numbers.emplace(next, adapter);
    }
    return numbers;
}

AdapterNumbers WithNumbersGiven(const AdapterNumbers& remembered, const std::map<int, PortDescription>& numbers)
{
    AdapterNumbers updated = remembered;
    for (const auto& [number, port] : numbers) {
        const QString key = AdapterKey(port);
        if (isAdapter(port) && !key.isEmpty())
            updated.emplace(number, key);
    }
    return updated;
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
