#include "PortsCommand.h"

#include "CliRequest.h"

#include "link/ports/PortMap.h"
#include "link/ports/PresentPorts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace pb::cli {

namespace {

// As many as the settings dialog offers.
constexpr int kListedPorts = 30;

// A platform name with no port of this machine behind it stands for nothing.
QString RuleName(const PortChoice& port)
{
    return port.rule == PortRule::Platform && !port.presentPort ? QStringLiteral("none") : PortRuleName(port.rule);
}

bool StandsForSomething(const PortChoice& port)
{
    return port.rule != PortRule::Platform || port.presentPort;
}

QString ComName(int number)
{
    return QStringLiteral("Com") + QString::number(number);
}

// What the system tells of a present port, for both outputs.
QStringList Details(const PortDescription& port)
{
    return {port.description, port.serialNumber.isEmpty() ? QString() : QStringLiteral("serial ") + port.serialNumber};
}

void AddDetails(QJsonObject& entry, const PortDescription& port)
{
    const std::pair<const char*, QString> fields[] = {
        {"description", port.description}, {"serialNumber", port.serialNumber}, {"byId", port.byIdName}};
    for (const auto& [name, value] : fields) {
        if (!value.isEmpty())
            entry.insert(QLatin1String(name), value);
    }
}

QJsonObject ChoiceJson(int number, const PortChoice& port)
{
    QJsonObject entry{{QStringLiteral("port"), number},
                      {QStringLiteral("name"), ComName(number)},
                      {QStringLiteral("rule"), RuleName(port)},
                      {QStringLiteral("device"), port.device},
                      {QStringLiteral("present"), port.presentPort.has_value()}};
    if (!port.adapterKey.isEmpty())
        entry.insert(QStringLiteral("adapter"), port.adapterKey);
    if (port.presentPort)
        AddDetails(entry, *port.presentPort);
    return entry;
}

QStringList ChoiceCells(int number, const PortChoice& port)
{
    const QStringList named{ComName(number), RuleName(port)};
    // An adapter's number stays its own while it is unplugged.
    if (port.device.isEmpty())
        return named + QStringList{QStringLiteral("(not plugged in)"), port.adapterKey};
    return named + QStringList{port.device} + (port.presentPort ? Details(*port.presentPort) : QStringList());
}

// Each column as wide as its widest cell, two spaces apart.
QStringList AlignedLines(const QList<QStringList>& rows, const QString& indent)
{
    QList<qsizetype> widths;
    for (const QStringList& cells : rows) {
        widths.resize(std::max(widths.size(), cells.size()));
        for (qsizetype column = 0; column < cells.size(); ++column)
            widths[column] = std::max(widths[column], cells[column].size());
    }
    QStringList lines;
    for (const QStringList& cells : rows) {
        QString line = indent;
        for (qsizetype column = 0; column < cells.size(); ++column)
            line += cells[column].leftJustified(widths[column] + 2);
        while (line.endsWith(u' '))
            line.chop(1);
        lines << line;
    }
    return lines;
}

} // namespace

int ListPorts(const ProgramFolder& folder, bool json, const CliOutput& output)
{
    const QList<PortDescription> present = PresentPorts();
    const PortMap ports = PortMap::look(folder, present);
    const QList<PortDescription> unreached = ports.unreached(kListedPorts);

    if (json) {
        QJsonArray listed;
        for (int number = 1; number <= kListedPorts; ++number)
            listed.append(ChoiceJson(number, ports.choice(number)));
        QJsonArray others;
        for (const PortDescription& port : unreached) {
            QJsonObject entry{{QStringLiteral("device"), port.systemLocation}};
            AddDetails(entry, port);
            others.append(entry);
        }
        const QJsonObject document{{QStringLiteral("ports"), listed}, {QStringLiteral("unreached"), others}};
        output.result(QJsonDocument(document).toJson(QJsonDocument::Indented));
        return ExitDone;
    }

    QList<QStringList> rows;
    for (int number = 1; number <= kListedPorts; ++number) {
        const PortChoice port = ports.choice(number);
        if (StandsForSomething(port))
            rows.append(ChoiceCells(number, port));
    }
    if (rows.isEmpty())
        output.resultLine(QStringLiteral("No Com number stands for a device on this machine."));
    for (const QString& line : AlignedLines(rows, QString()))
        output.resultLine(line);
    if (unreached.isEmpty())
        return ExitDone;
    QList<QStringList> others;
    for (const PortDescription& port : unreached)
        others.append(QStringList{port.systemLocation} + Details(port));
    output.resultLine(QStringLiteral("Not reached by a Com number:"));
    for (const QString& line : AlignedLines(others, QStringLiteral("  ")))
        output.resultLine(line);
    return ExitDone;
}

} // namespace pb::cli
