#include "CliRequest.h"

#include <QCommandLineParser>
#include <QSet>
#include <limits>

namespace pb::cli {

namespace {

struct CommandInfo {
    const char* name;
    Command command;
    QStringList options; // the options it takes
    int files;           // positional arguments after the command
};

// Monitor's time goes to a timer in milliseconds.
constexpr int kMaxSeconds = std::numeric_limits<int>::max() / 1000;

const QList<CommandInfo>& Commands()
{
    static const QList<CommandInfo> commands = {
        {"read", Command::Read, {"port", "type", "out", "json"}, 0},
        {"write", Command::Write, {"port", "type", "backup"}, 1},
        {"call", Command::Call, {"port", "address", "message", "bleep"}, 0},
        {"show", Command::Show, {"type", "lang", "json"}, 1},
        {"diff", Command::Diff, {"type", "lang"}, 2},
        {"monitor", Command::Monitor, {"port", "seconds"}, 0},
        {"ports", Command::Ports, {"json"}, 0},
        {"check", Command::Check, {"port", "type", "lang", "json"}, 0},
        {"report", Command::Report,
         {"port", "from", "type", "lang", "against", "call", "message", "bleep", "technician", "site", "out"}, 0},
    };
    return commands;
}

std::optional<int> WholeNumber(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<int16_t> LanguageCode(const QString& name)
{
    const QStringList names = {QStringLiteral("en"), QStringLiteral("nl"), QStringLiteral("de"), QStringLiteral("fr")};
    const qsizetype code = names.indexOf(name);
    if (code < 0)
        return std::nullopt;
    return int16_t(code);
}

// A whole-number option into `value` when it is set; false, with the
// problem named, when its text is no number in low..high.
template <typename Value>
bool TakeNumber(const QCommandLineParser& parser, const char* name, int low, int high, const QString& complaint,
                Value& value, QString& problem)
{
    if (!parser.isSet(QLatin1String(name)))
        return true;
    const std::optional<int> number = WholeNumber(parser.value(QLatin1String(name)), low, high);
    if (!number) {
        problem = complaint;
        return false;
    }
    value = Value(*number);
    return true;
}

// Takes the values of the options the command allows into the request.
bool TakeValues(const QCommandLineParser& parser, CliRequest& request, QString& problem)
{
    if (!TakeNumber(parser, "type", 0, 6, QStringLiteral("the unit type must be 0 to 6"), request.unitType, problem))
        return false;
    if (parser.isSet(QStringLiteral("lang"))) {
        request.language = LanguageCode(parser.value(QStringLiteral("lang")));
        if (!request.language) {
            problem = QStringLiteral("the language must be en, nl, de or fr");
            return false;
        }
    }
    const QString secondsRange = QStringLiteral("the seconds must be a whole number from 0 to %1").arg(kMaxSeconds);
    const QString bleepRange = QStringLiteral("the bleep code must be 0 to 15");
    if (!TakeNumber(parser, "bleep", 0, 15, bleepRange, request.bleepCode, problem)
        || !TakeNumber(parser, "seconds", 0, kMaxSeconds, secondsRange, request.seconds, problem))
        return false;
    request.port = parser.value(QStringLiteral("port"));
    request.out = parser.value(QStringLiteral("out"));
    request.json = parser.isSet(QStringLiteral("json"));
    request.address = parser.value(QLatin1String(request.command == Command::Report ? "call" : "address"));
    request.message = parser.value(QStringLiteral("message"));
    if (request.address.size() > kMaxAddressLength) {
        problem = QStringLiteral("the address is %1 characters at most").arg(kMaxAddressLength);
        return false;
    }
    if (request.message.size() > kMaxMessageLength) {
        problem = QStringLiteral("the message is %1 characters at most").arg(kMaxMessageLength);
        return false;
    }
    for (auto [name, field] : {std::pair{"backup", &request.backup}, {"from", &request.from},
                               {"against", &request.against}, {"technician", &request.technician},
                               {"site", &request.site}})
        *field = parser.value(QLatin1String(name));
    if (request.json && request.out == kStandardStream) {
        problem = QStringLiteral("--json and --out - both want standard output");
        return false;
    }
    return true;
}

// A report reads a unit (--port) or a file (--from), and a test call needs
// the unit. True when the request is bad, with the problem named.
bool ReportProblem(const QCommandLineParser& parser, const CliRequest& request, QString& problem)
{
    if (request.port.isEmpty() == request.from.isEmpty())
        problem = QStringLiteral("report needs one of --port and --from");
    else if (request.out.isEmpty() || request.out == kStandardStream)
        problem = QStringLiteral("report needs --out FILE.pdf");
    else if (!request.from.isEmpty() && parser.isSet(QStringLiteral("call")))
        problem = QStringLiteral("--call needs the unit: --port, not --from");
    else if (request.address.isEmpty()
             && (parser.isSet(QStringLiteral("message")) || parser.isSet(QStringLiteral("bleep"))))
        problem = QStringLiteral("--message and --bleep go with --call");
    return !problem.isEmpty();
}

} // namespace

std::optional<CliRequest> ParseArguments(const QStringList& arguments, QString& problem)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({
        {QStringLiteral("port"), QString(), QStringLiteral("device")},
        {QStringLiteral("type"), QString(), QStringLiteral("n")},
        {QStringLiteral("out"), QString(), QStringLiteral("file")},
        {QStringLiteral("json"), QString()},
        {QStringLiteral("address"), QString(), QStringLiteral("address")},
        {QStringLiteral("message"), QString(), QStringLiteral("text")},
        {QStringLiteral("bleep"), QString(), QStringLiteral("code")},
        {QStringLiteral("lang"), QString(), QStringLiteral("language")},
        {QStringLiteral("seconds"), QString(), QStringLiteral("s")},
        {QStringLiteral("backup"), QString(), QStringLiteral("file")},
        {QStringLiteral("from"), QString(), QStringLiteral("file")},
        {QStringLiteral("against"), QString(), QStringLiteral("file")},
        {QStringLiteral("call"), QString(), QStringLiteral("address")},
        {QStringLiteral("technician"), QString(), QStringLiteral("name")},
        {QStringLiteral("site"), QString(), QStringLiteral("text")},
        {{QStringLiteral("h"), QStringLiteral("help")}, QString()},
        {QStringLiteral("version"), QString()},
    });
    if (!parser.parse(QStringList{QStringLiteral("pagerbench-cli")} + arguments)) {
        problem = parser.errorText();
        return std::nullopt;
    }

    CliRequest request;
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version"))) {
            request.command = parser.isSet(QStringLiteral("version")) ? Command::Version : Command::Help;
            return request;
        }
        problem = QStringLiteral("no command given");
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        request.command = Command::Help;
        return request;
    }

    const QString name = positional.first();
    const auto info = std::find_if(Commands().begin(), Commands().end(),
                                   [&](const CommandInfo& c) { return name == QLatin1String(c.name); });
    if (info == Commands().end()) {
        problem = QStringLiteral("unknown command ") + name;
        return std::nullopt;
    }
    request.command = info->command;
    for (const QString& option : parser.optionNames()) {
        if (!info->options.contains(option)) {
            problem = QStringLiteral("%1 takes no --%2").arg(name, option);
            return std::nullopt;
        }
    }
    request.files = positional.mid(1);
    if (request.files.size() != info->files) {
        problem = info->files == 0 ? QStringLiteral("%1 takes no file").arg(name)
                                   : QStringLiteral("%1 takes %2 file(s)").arg(name).arg(info->files);
        return std::nullopt;
    }
    if (!TakeValues(parser, request, problem))
        return std::nullopt;
    if (request.command == Command::Report)
        return ReportProblem(parser, request, problem) ? std::nullopt : std::optional<CliRequest>(request);
    const bool needsPort = info->options.contains(QStringLiteral("port"));
    if (needsPort && request.port.isEmpty()) {
        problem = name + QStringLiteral(" needs --port");
        return std::nullopt;
    }
    if (request.command == Command::Call && request.address.isEmpty()) {
        problem = QStringLiteral("call needs --address");
        return std::nullopt;
    }
    return request;
}

QString UsageText()
{
    return QStringLiteral(
        "usage:\n"
        "  pagerbench-cli read    --port DEVICE [--type N] [--out FILE] [--json]\n"
        "  pagerbench-cli write   --port DEVICE [--type N] [--backup FILE] FILE\n"
        "  pagerbench-cli call    --port DEVICE --address ADDRESS [--message TEXT] [--bleep CODE]\n"
        "  pagerbench-cli show    [--type N] [--lang en|nl|de|fr] [--json] FILE\n"
        "  pagerbench-cli diff    [--type N] [--lang en|nl|de|fr] FILE1 FILE2\n"
        "  pagerbench-cli monitor --port DEVICE [--seconds S]\n"
        "  pagerbench-cli ports   [--json]\n"
        "  pagerbench-cli check   --port DEVICE [--type N] [--lang en|nl|de|fr] [--json]\n"
        "  pagerbench-cli report  --port DEVICE | --from FILE [--type N] [--lang en|nl|de|fr]\n"
        "                         [--against FILE] [--call ADDRESS [--message TEXT] [--bleep CODE]]\n"
        "                         [--technician NAME] [--site TEXT] --out FILE.pdf\n"
        "  pagerbench-cli --help | --version\n"
        "\n"
        "DEVICE is a device path (/dev/ttyUSB0), Com<n> (the port n of the program's\n"
        "settings) or tcp|rfc2217://HOST:PORT (a device server). FILE - is standard\n"
        "input for write; --out - is standard output. The unit type (0 to 6) and\n"
        "the language default to the program's configuration file. write --backup\n"
        "saves what the unit held first, and writes only once that read succeeded.\n"
        "report compares with --against FILE, else the program's default.set.\n"
        "Exit status: 0 done; 1 the unit failed, a row was not read or written as\n"
        "it stands, or the files differ; 2 bad usage or input, or output that could\n"
        "not be written; 3 the port could not be opened; 130 interrupted. check:\n"
        "0 the unit answered, 1 it did not answer as it should, 3 no open port.\n");
}

} // namespace pb::cli
