#include "CheckCommand.h"

#include "TickLoop.h"

#include "link/check/ConnectionCheck.h"
#include "texts/CheckWording.h"
#include "texts/PortWording.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace pb::cli {

namespace {

// The port's own log lines say nothing the findings do not.
class QuietLog : public LogSink {
public:
    void WriteLog(const QString&) override {}
};

QJsonObject FindingJson(const CheckFinding& finding)
{
    QJsonObject entry = finding.values;
    entry.insert(QStringLiteral("step"), StepName(finding.step));
    entry.insert(QStringLiteral("result"), finding.result);
    return entry;
}

} // namespace

int Check(const UnitCommand& command)
{
    const CliRequest& request = command.request;
    const CliOutput& output = command.output;
    CoreParts& parts = command.parts;
    const QList<int16_t> shown = ShownRowNumbers(parts);

    QuietLog log;
    LampFlags lamps;
    Datacom port(log, PortWordsOf(parts.texts), lamps);
    ConnectionCheck check(TargetOf(request.port, parts.folder), parts.unitType, shown.value(0, 0), port);
    QJsonArray steps;
    check.onFinding = [&](const CheckFinding& finding) {
        if (request.json)
            steps.append(FindingJson(finding));
        else
            output.resultLine(CheckLine(finding, parts.language));
    };
    check.start();
    if (!check.finished()
        && RunTicks(command.interruption, [&] { check.tick(); }, [&] { return check.finished(); }))
        return ExitInterrupted;
    if (request.json) {
        const QJsonObject document{{QStringLiteral("port"), request.port},
                                   {QStringLiteral("steps"), steps},
                                   {QStringLiteral("verdict"), CauseName(check.cause())},
                                   {QStringLiteral("exit"), ExitStatusOf(check.cause())}};
        output.result(QJsonDocument(document).toJson(QJsonDocument::Indented));
    }
    return ExitStatusOf(check.cause());
}

} // namespace pb::cli
