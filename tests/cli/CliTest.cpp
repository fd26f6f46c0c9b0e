// pagerbench-cli as a user runs it: the tool and the virtual unit as two
// processes on a pseudo-terminal, at the engine's real pace.
#include "files/SettingsFile.h"
#include "settings/SetupUnitType.h"
#include "settings/ValueCoding.h"
#include "support/PseudoTerminal.h"
#include "texts/TextTable.h"
#include "unitsim/StartValues.h"
#include "unitsim/VirtualUnit.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSysInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int16_t kType = 3;
constexpr int kRunMs = 60000;

struct Outcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

pb::unitsim::Millis Now()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// A unit in the test's own process, on a pseudo-terminal: it can hold what
// no factory unit holds, and it shows what reached it.
struct LocalUnit {
    explicit LocalUnit(int16_t type, pb::unitsim::Fault fault = pb::unitsim::Fault::None,
                       pb::unitsim::Millis statusEveryMs = 0)
        : unit(options(type, fault, statusEveryMs), Now())
    {
        // The tool must not inherit the unit's end: closing it hangs the line up.
        ::fcntl(line.masterFd(), F_SETFD, FD_CLOEXEC);
    }
    static pb::unitsim::UnitOptions options(int16_t type, pb::unitsim::Fault fault, pb::unitsim::Millis statusEveryMs)
    {
        pb::unitsim::UnitOptions options;
        options.unitType = type;
        options.fault = fault;
        options.quiet = statusEveryMs == 0;
        options.statusEveryMs = statusEveryMs;
        return options;
    }
    void serve()
    {
        const QByteArray received = line.read(4096, 0);
        if (!received.isEmpty())
            unit.receive(received.toStdString(), Now());
        const std::string said = unit.transmit(Now());
        if (!said.empty())
            line.write(QByteArray::fromStdString(said), 0);
    }

    pbtest::PseudoTerminal line;
    pb::unitsim::VirtualUnit unit;
};

// How the tool runs besides its arguments.
struct ToolRun {
    LocalUnit* unit = nullptr;     // served while the tool runs
    QByteArray input;              // its standard input
    bool inputOpen = false;        // and no end to it
    QString output;                // a file for its standard output
    std::function<void()> inChild; // in its process, before it starts
    QString tool;                  // a copy of the tool elsewhere, with a program folder of its own
    QStringList environment;       // NAME=value, added to the tool's
    // While it runs, with what it printed so far.
    std::function<void(QProcess&, const Outcome&)> meanwhile;
};

class CliTest : public ::testing::Test {
protected:
    // A virtual unit of type 3 whose line the tool finds at port(name).
    void startUnit(const QString& fault = {}, const char* name = "unit")
    {
        QStringList arguments{QStringLiteral("--type"), QString::number(kType), QStringLiteral("--link"), port(name)};
        if (!fault.isEmpty())
            arguments << QStringLiteral("--fault") << fault;
        units.push_back(std::make_unique<QProcess>());
        units.back()->start(QStringLiteral(PAGERBENCH_UNITSIM), arguments);
        // Its first line names the line once the link is in place.
        ASSERT_TRUE(units.back()->waitForReadyRead(10000)) << "the virtual unit did not start";
    }

    void TearDown() override
    {
        for (const auto& unit : units) {
            unit->terminate();
            unit->waitForFinished(5000);
        }
    }

    QString port(const char* name = "unit") const { return dir.filePath(QLatin1String(name)); }
    QString file(const char* name) const { return dir.filePath(QLatin1String(name)); }

    Outcome cli(const QStringList& arguments, const ToolRun& run = {})
    {
        QProcess tool;
        if (!run.output.isEmpty())
            tool.setStandardOutputFile(run.output);
        if (run.inChild)
            tool.setChildProcessModifier(run.inChild);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString& variable : run.environment)
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        tool.setProcessEnvironment(environment);
        tool.start(run.tool.isEmpty() ? QStringLiteral(PAGERBENCH_CLI) : run.tool, arguments);
        tool.write(run.input);
        if (!run.inputOpen)
            tool.closeWriteChannel();
        Outcome outcome;
        const QDeadlineTimer deadline(kRunMs);
        while (tool.state() != QProcess::NotRunning && !deadline.hasExpired()) {
            tool.waitForFinished(5);
            if (run.unit)
                run.unit->serve();
            outcome.out += tool.readAllStandardOutput();
            outcome.err += tool.readAllStandardError();
            if (run.meanwhile)
                run.meanwhile(tool, outcome);
        }
        if (tool.state() != QProcess::NotRunning) {
            tool.kill();
            tool.waitForFinished();
        }
        outcome.out += tool.readAllStandardOutput();
        outcome.err += tool.readAllStandardError();
        if (tool.exitStatus() == QProcess::NormalExit && !deadline.hasExpired())
            outcome.status = tool.exitCode();
        return outcome;
    }

    void writeFile(const char* name, const QByteArray& bytes)
    {
        QFile written(file(name));
        ASSERT_TRUE(written.open(QIODevice::WriteOnly));
        ASSERT_EQ(written.write(bytes), bytes.size());
    }

    // A settings file of zeros but for the given rows.
    static QByteArray SettingsFile(const std::map<int, int16_t>& values)
    {
        pb::RowValues rows;
        for (const auto& [row, value] : values)
            rows.FileSettings[row] = value;
        return pb::JoinCrLf(pb::SettingsFileLines(rows));
    }

    QTemporaryDir dir;
    std::vector<std::unique_ptr<QProcess>> units;
};

// The tool's main has begun: SIGINT and SIGTERM wait for it.
bool SignalsHeldBack(const QProcess& tool)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(tool.processId()));
    if (tool.state() != QProcess::Running || !status.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = status.readAll();
    const quint64 held = text.mid(text.indexOf("SigBlk:") + 7, 17).trimmed().toULongLong(nullptr, 16);
    const quint64 both = (1ULL << (SIGINT - 1)) | (1ULL << (SIGTERM - 1));
    return (held & both) == both;
}

const QString kType3 = QStringLiteral("3");

TEST_F(CliTest, ReadWriteShowDiffAndJsonAgainstVirtualUnits)
{
    ASSERT_TRUE(dir.isValid());
    ASSERT_NO_FATAL_FAILURE(startUnit());
    ASSERT_NO_FATAL_FAILURE(startUnit({}, "second"));

    // read: the settings file "Save to file" would write, that "Read from
    // file" takes back row for row; hidden rows hold 0.
    const Outcome read = cli({"read", "--port", port(), "--type", kType3, "--out", file("unit.set")});
    ASSERT_EQ(read.status, 0) << read.err.toStdString();
    EXPECT_TRUE(read.out.isEmpty()) << "nothing on standard output with --out";
    QFile saved(file("unit.set"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_EQ(bytes.count("\r\n"), pb::kFileRows);

    pb::TextTable texts;
    int16_t english = 0;
    pb::LoadTexts(texts, english);
    pb::GridModel grid;
    pb::RowValues rows;
    pb::SetupUnitType(grid, texts, kType);
    pb::ReadSettingsFile(grid, rows, file("unit.set"));
    const pb::unitsim::UnitMemory memory = pb::unitsim::StartValues(kType);
    int shown = 0;
    for (int16_t r = 0; r < pb::kGridRows; ++r) {
        const bool inUse = r <= pb::HighestRow(kType) && grid.shown(r);
        const int16_t expected = inUse ? pb::DecodeValue(kType, r, memory[uint8_t(pb::RowToItem(kType, r))]) : 0;
        EXPECT_EQ(rows.UnitSettings[r], expected) << "row " << r;
        shown += inUse ? 1 : 0;
    }

    // write a changed file to the second unit, then read it back as JSON:
    // the unit holds it.
    const int16_t changedRow = 3;
    QByteArray changed = bytes;
    changed.replace("\r\n3    ->3\r\n", "\r\n3    ->5\r\n");
    ASSERT_NE(changed, bytes) << "row 3 of the type does not hold 3 from the factory";
    QFile edited(file("edited.set"));
    ASSERT_TRUE(edited.open(QIODevice::WriteOnly));
    edited.write(changed);
    edited.close();
    const Outcome write = cli({"write", "--port", port("second"), "--type", kType3, "--backup", file("backup.set"),
                               file("edited.set")});
    ASSERT_EQ(write.status, 0) << write.err.toStdString();
    QFile backup(file("backup.set"));
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), bytes) << "the backup is what read --out saved of a unit like it";

    const Outcome json = cli({"read", "--port", port("second"), "--type", kType3, "--json"});
    ASSERT_EQ(json.status, 0) << json.err.toStdString();
    const QJsonArray listed = QJsonDocument::fromJson(json.out).object().value("rows").toArray();
    ASSERT_EQ(listed.size(), shown);
    for (const QJsonValue& entry : listed) {
        const QJsonObject row = entry.toObject();
        const int r = row.value("row").toInt();
        EXPECT_EQ(row.value("item").toInt(), pb::RowToItem(kType, int16_t(r)));
        EXPECT_EQ(row.value("value").toInt(), r == changedRow ? 5 : rows.UnitSettings[r]) << "row " << r;
        EXPECT_FALSE(row.value("text").toString().isEmpty());
    }

    // show and diff over the files, in Dutch.
    const Outcome show = cli({"show", "--type", kType3, "--lang", "nl", file("edited.set")});
    ASSERT_EQ(show.status, 0);
    const QList<QByteArray> lines = show.out.trimmed().split('\n');
    EXPECT_EQ(lines.size(), shown);
    EXPECT_TRUE(lines.value(2).startsWith("3\t") && lines.value(2).endsWith("\t5")) << lines.value(2).toStdString();
    const Outcome same = cli({"diff", "--type", kType3, file("unit.set"), file("unit.set")});
    EXPECT_EQ(same.status, 0);
    EXPECT_TRUE(same.out.isEmpty());
    const Outcome differ = cli({"diff", "--type", kType3, file("unit.set"), file("edited.set")});
    EXPECT_EQ(differ.status, 1);
    const QList<QByteArray> diff = differ.out.trimmed().split('\n');
    ASSERT_EQ(diff.size(), 2);
    EXPECT_TRUE(diff[0].startsWith("- 3\t") && diff[0].endsWith("\t3"));
    EXPECT_TRUE(diff[1].startsWith("+ 3\t") && diff[1].endsWith("\t5"));

    // What read wrote of the first unit, written to the second, makes it
    // the first one's equal; "-" carries the files through pipes.
    ToolRun piped;
    piped.input = bytes;
    ASSERT_EQ(cli({"write", "--port", port("second"), "--type", kType3, "-"}, piped).status, 0);
    const Outcome second = cli({"read", "--port", port("second"), "--type", kType3, "--out", "-"});
    ASSERT_EQ(second.status, 0);
    ASSERT_NO_FATAL_FAILURE(writeFile("second.set", second.out));
    const Outcome equal = cli({"diff", "--type", kType3, file("unit.set"), file("second.set")});
    EXPECT_EQ(equal.status, 0) << equal.out.toStdString();
}

TEST_F(CliTest, CallAndMonitorAgainstTheVirtualUnit)
{
    ASSERT_TRUE(dir.isValid());
    ASSERT_NO_FATAL_FAILURE(startUnit());
    const Outcome call = cli({"call", "--port", port(), "--address", "1234567890", "--message", "Test", "--bleep", "4"});
    EXPECT_EQ(call.status, 0) << call.err.toStdString();

    // The unit's status line comes every 5 s, between exchanges.
    const Outcome monitor = cli({"monitor", "--port", port(), "--seconds", "6"});
    EXPECT_EQ(monitor.status, 0);
    EXPECT_TRUE(monitor.out.contains(" STATUS ")) << monitor.out.toStdString();
}

TEST_F(CliTest, ShowAndDiffReportWhatTheFilesHold)
{
    ASSERT_TRUE(dir.isValid());
    // Row 14 has two options; row 40 is no row of the grid.
    ASSERT_NO_FATAL_FAILURE(writeFile("zero.set", SettingsFile({})));
    ASSERT_NO_FATAL_FAILURE(writeFile("odd.set", SettingsFile({{14, 9}, {40, 7}})));
    const Outcome show = cli({"show", "--type", kType3, file("odd.set")});
    ASSERT_EQ(show.status, 0) << show.err.toStdString();
    EXPECT_TRUE(show.out.contains("\n14\t\t9\n")) << show.out.toStdString();

    const Outcome diff = cli({"diff", "--type", kType3, file("zero.set"), file("odd.set")});
    EXPECT_EQ(diff.status, 1);
    const QList<QByteArray> lines = diff.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 4) << diff.out.toStdString();
    EXPECT_TRUE(lines[1].startsWith("+ 14\t") && lines[1].endsWith("\t9"));
    EXPECT_EQ(lines[3], "+ 40\t\t7");
}

// Values the unit holds that no option names: a speed without a code, a
// poll interval between two steps, a position beyond the list.
TEST_F(CliTest, ReadNamesValuesNoOptionNamesAndWritingItsFileLeavesThemInTheUnit)
{
    ASSERT_TRUE(dir.isValid());
    const int16_t type = 1;
    LocalUnit local(type);
    const std::map<int, uint8_t> odd{{pb::kSpeedRow, 19}, {14, 9}, {pb::kPollIntervalRow, 22}};
    for (const auto& [row, value] : odd)
        local.unit.setValue(row, value);
    ToolRun run;
    run.unit = &local;
    const QString port = local.line.slavePath();
    const Outcome read = cli({"read", "--port", port, "--type", "1", "--out", file("unit.set"), "--json"}, run);
    EXPECT_EQ(read.status, 1);
    const QJsonArray listed = QJsonDocument::fromJson(read.out).object().value("rows").toArray();
    ASSERT_FALSE(listed.isEmpty()) << read.err.toStdString();
    for (const QJsonValue& entry : listed) {
        const QJsonObject row = entry.toObject();
        const auto found = odd.find(row.value("row").toInt());
        if (found == odd.end()) {
            EXPECT_FALSE(row.contains("unitValue"));
            continue;
        }
        EXPECT_EQ(row.value("unitValue").toInt(-1), found->second);
        const QString named = QStringLiteral("row %1: the unit holds %2,").arg(found->first).arg(found->second);
        EXPECT_TRUE(read.err.contains(named.toUtf8())) << read.err.toStdString();
    }

    // The file, with the diagnostic level changed, goes back to the unit:
    // that row changes, the odd ones are named and stay as they were.
    QFile saved(file("unit.set"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    QByteArray edited = saved.readAll();
    ASSERT_TRUE(edited.startsWith("0    ->1\r\n"));
    edited.replace(0, 10, "0    ->0\r\n");
    ASSERT_NO_FATAL_FAILURE(writeFile("edited.set", edited));
    const Outcome write = cli({"write", "--port", port, "--type", "1", file("edited.set")}, run);
    EXPECT_EQ(write.status, 1);
    EXPECT_TRUE(write.err.contains("row 13 not written")) << write.err.toStdString();
    EXPECT_EQ(local.unit.value(0), 0);
    for (const auto& [row, value] : odd)
        EXPECT_EQ(local.unit.value(row), value) << "row " << row;
}

TEST_F(CliTest, SignalsEndCleanlyAndMonitorKeepsTheUnitsTextApart)
{
    ASSERT_TRUE(dir.isValid());
    // monitor: the unit's text on standard output; the line's loss on
    // standard error; then Ctrl-C.
    LocalUnit talking(kType, pb::unitsim::Fault::None, 200);
    ToolRun monitoring;
    monitoring.unit = &talking;
    bool hungUp = false;
    bool interrupted = false;
    monitoring.meanwhile = [&](QProcess& tool, const Outcome& sofar) {
        if (!hungUp && sofar.out.contains(" STATUS ")) {
            talking.line.closeMaster();
            hungUp = true;
        } else if (hungUp && !interrupted && sofar.err.contains("Comport lost")) {
            ::kill(pid_t(tool.processId()), SIGINT);
            interrupted = true;
        }
    };
    const Outcome monitor = cli({"monitor", "--port", talking.line.slavePath()}, monitoring);
    EXPECT_EQ(monitor.status, 130) << monitor.out.toStdString() << monitor.err.toStdString();
    EXPECT_FALSE(monitor.out.contains("Comport")) << monitor.out.toStdString();

    // read: SIGTERM while the unit keeps silent; no file.
    LocalUnit silent(kType, pb::unitsim::Fault::Silent);
    ToolRun reading;
    reading.unit = &silent;
    reading.meanwhile = [&](QProcess& tool, const Outcome&) {
        if (silent.unit.counters().frames == 1)
            tool.terminate();
    };
    const QString port = silent.line.slavePath();
    const Outcome read = cli({"read", "--port", port, "--type", kType3, "--out", file("out.set")}, reading);
    EXPECT_EQ(read.status, 130);
    EXPECT_TRUE(read.err.contains("interrupted"));
    EXPECT_FALSE(QFile::exists(file("out.set")));

    // write -: a signal while standard input stays open and says nothing.
    for (const int signal : {SIGTERM, SIGINT}) {
        ToolRun waiting;
        waiting.inputOpen = true;
        bool sent = false;
        waiting.meanwhile = [&](QProcess& tool, const Outcome&) {
            if (!sent && SignalsHeldBack(tool))
                sent = ::kill(pid_t(tool.processId()), signal) == 0;
        };
        const Outcome write = cli({"write", "--port", port, "--type", kType3, "-"}, waiting);
        EXPECT_EQ(write.status, 130) << "signal " << signal << ": " << write.err.toStdString();
        EXPECT_EQ(write.err, "pagerbench-cli: interrupted\n");
    }
}

// ports: what each Com number stands for, by the environment, the ports.ini
// of the tool's folder and the adapter numbers kept per user, which it
// leaves as they were.
TEST_F(CliTest, PortsNamesEachComNumbersRuleAndDevice)
{
    ASSERT_TRUE(dir.isValid());
    const QString tool = file("pagerbench-cli");
    ASSERT_TRUE(QFile::copy(QStringLiteral(PAGERBENCH_CLI), tool));
    ASSERT_NO_FATAL_FAILURE(writeFile("ports.ini", "[ports]\r\nCom3=tcp://10.0.0.20:4001\r\nCom5=tcp://10.0.0.21:4001\r\n"));
    ASSERT_TRUE(QDir().mkpath(file("data/Pagerbench")));
    const QByteArray remembered = "[adapters]\r\nCom7=by-id:usb-gone-if00-port0\r\n";
    ASSERT_NO_FATAL_FAILURE(writeFile("data/Pagerbench/adapters.ini", remembered));
    const pbtest::PseudoTerminal line;
    ToolRun run;
    run.tool = tool;
    run.environment = {"PAGERBENCH_COM3=" + line.slavePath(), "XDG_DATA_HOME=" + file("data")};

    const Outcome json = cli({"ports", "--json"}, run);
    ASSERT_EQ(json.status, 0) << json.err.toStdString();
    const QJsonObject document = QJsonDocument::fromJson(json.out).object();
    const QJsonArray ports = document.value("ports").toArray();
    ASSERT_EQ(ports.size(), 30) << json.out.toStdString();
    EXPECT_TRUE(document.value("unreached").isArray());
    const std::map<int, std::pair<QString, QString>> named{{3, {"environment", line.slavePath()}},
                                                           {5, {"ports.ini", "tcp://10.0.0.21:4001"}},
                                                           {7, {"automatic", ""}}};
    QStringList meaningful;
    for (int n = 1; n <= 30; ++n) {
        const QJsonObject port = ports[n - 1].toObject();
        const QString rule = port.value("rule").toString();
        EXPECT_EQ(port.value("port").toInt(), n);
        EXPECT_EQ(port.value("name").toString(), QStringLiteral("Com%1").arg(n));
        const auto found = named.find(n);
        if (found != named.end()) {
            EXPECT_EQ(rule, found->second.first) << n;
            EXPECT_EQ(port.value("device").toString(), found->second.second) << n;
        } else {
            EXPECT_EQ(port.value("present").toBool(), rule != "none") << n << " " << rule.toStdString();
        }
        if (rule != "none")
            meaningful << QStringLiteral("Com%1 ").arg(n);
    }
    EXPECT_EQ(ports[6].toObject().value("adapter").toString(), "by-id:usb-gone-if00-port0");
    QFile adapters(file("data/Pagerbench/adapters.ini"));
    ASSERT_TRUE(adapters.open(QIODevice::ReadOnly));
    EXPECT_EQ(adapters.readAll(), remembered);

    // One line, in aligned columns, for each number that stands for something.
    const Outcome human = cli({"ports"}, run);
    ASSERT_EQ(human.status, 0) << human.err.toStdString();
    QStringList lines = QString::fromLocal8Bit(human.out).split(u'\n');
    lines.removeIf([](const QString& text) { return !text.startsWith("Com"); });
    ASSERT_EQ(lines.size(), meaningful.size()) << human.out.toStdString();
    const QRegularExpression columnStart(QStringLiteral("  (?=\\S)"));
    const auto columns = [&](const QString& text) {
        const qsizetype rule = columnStart.match(text).capturedEnd();
        return std::make_pair(rule, columnStart.match(text, rule).capturedEnd());
    };
    std::map<QString, QStringList> cells;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        EXPECT_TRUE(lines[i].startsWith(meaningful[i])) << lines[i].toStdString();
        EXPECT_EQ(columns(lines[i]), columns(lines[0])) << "rule and device aligned: " << lines[i].toStdString();
        cells[meaningful[i].trimmed()] = lines[i].split(QRegularExpression(QStringLiteral("\\s{2,}")));
    }
    EXPECT_EQ(cells["Com3"], QStringList({"Com3", "environment", line.slavePath()}));
    EXPECT_EQ(cells["Com7"], QStringList({"Com7", "automatic", "(not plugged in)", "by-id:usb-gone-if00-port0"}));
}

struct ReportCase {
    const char* name;
    const char* lang;
    int16_t type;
    const char* fault;                // of the unit
    std::map<int, uint8_t> unitBytes; // what the unit holds besides the factory's values
    bool fromFile;                    // --from what read --out saved, instead of the unit
    QStringList arguments;            // more; "SELF" is that file, "ZERO" one of zeros
    int status;
    QStringList says;                 // in the PDF's text
};

void PrintTo(const ReportCase& report, std::ostream* os)
{
    *os << report.name;
}

class ReportTest : public CliTest, public ::testing::WithParamInterface<ReportCase> {};

// The PDF's text as pdftotext extracts it: the header, each shown row's
// option, the reference's side of each difference, the call and a
// fingerprint that is sha256sum of the file read --out saves. The display
// the environment names is never opened.
TEST_P(ReportTest, PdfTextHoldsTheUnitsValues)
{
    ASSERT_TRUE(dir.isValid());
    const ReportCase& c = GetParam();
    LocalUnit local(c.type, pb::unitsim::FaultFromName(c.fault).value_or(pb::unitsim::Fault::None));
    for (const auto& [row, byte] : c.unitBytes)
        local.unit.setValue(row, byte);
    ToolRun run;
    run.unit = &local;
    run.environment = {"DISPLAY=:99", "QT_QPA_PLATFORM=xcb"};
    const QString port = local.line.slavePath();
    const QString type = QString::number(c.type);
    cli({"read", "--port", port, "--type", type, "--out", file("unit.set")}, run);
    ASSERT_NO_FATAL_FAILURE(writeFile("zero.set", SettingsFile({})));
    QStringList arguments{"report", "--type", type, "--lang", c.lang, "--technician", "Jürgen Müller",
                          "--site", "Hôpital Saint-Éloi", "--out", file("report.pdf")};
    arguments << (c.fromFile ? QStringList{"--from", file("unit.set")} : QStringList{"--port", port});
    for (const QString& argument : c.arguments)
        arguments << (argument == "SELF" ? file("unit.set") : argument == "ZERO" ? file("zero.set") : argument);
    const Outcome report = cli(arguments, run);
    EXPECT_EQ(report.status, c.status) << report.err.toStdString();
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {"-enc", "UTF-8", file("report.pdf"), "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();

    QFile saved(file("unit.set"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    QStringList expected = c.says;
    expected << "Pagerbench 2.6" << "Jürgen Müller" << "Hôpital Saint-Éloi" << QSysInfo::machineHostName()
             << QDate::currentDate().toString(Qt::ISODate) << (c.fromFile ? "unit.set" : port)
             << QCryptographicHash::hash(saved.readAll(), QCryptographicHash::Sha256).toHex();
    const auto texts = [&](const QStringList& command, const char* prefix) {
        for (const QString& line : QString::fromUtf8(cli(command).out).split(u'\n', Qt::SkipEmptyParts)) {
            if (line.startsWith(QLatin1String(prefix)) && !line.section(u'\t', 1, 1).isEmpty())
                expected << line.section(u'\t', 1, 1);
        }
    };
    texts({"show", "--type", type, "--lang", c.lang, file("unit.set")}, "");
    texts({"diff", "--type", type, "--lang", c.lang, file("zero.set"), file("unit.set")},
          c.arguments.contains("ZERO") ? "- " : "none");
    for (const QString& words : std::as_const(expected))
        EXPECT_TRUE(text.contains(words.simplified())) << words.toStdString() << " not in " << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Contents, ReportTest,
    ::testing::Values(
        ReportCase{"EnglishAgainstItself", "en", 3, "", {}, false, {"--against", "SELF"}, 0,
                   {"Commissioning report", "Differences from unit.set",
                    "No differences: the unit holds what the reference holds.", "No test call was made."}},
        ReportCase{"GermanAgainstZerosWithACall", "de", 3, "", {}, false,
                   {"--against", "ZERO", "--call", "1234", "--message", "Prüfung"}, 0,
                   {"Inbetriebnahmeprotokoll", "Unterschiede zu zero.set",
                    "Adresse 1234, Nachricht \"Prüfung\", Signalton-Code 1: die Einheit nahm den Ruf an"}},
        ReportCase{"FrenchRefusedCall", "fr", 3, "refuse-call", {}, false, {"--against", "ZERO", "--call", "77"}, 1,
                   {"Rapport de mise en service", "Réglages", "Différences avec zero.set",
                    "Adresse 77, Message \"\", Code sonore 1: l'unité n'a pas accepté l'appel"}},
        ReportCase{"ValueNoOptionNames", "en", 1, "", {{pb::kSpeedRow, 19}}, false, {"--against", "SELF"}, 1,
                   {"the unit holds 19, which no option names", "No differences"}},
        ReportCase{"DutchFromAFile", "nl", 3, "", {}, true, {"--against", "ZERO"}, 0,
                   {"het instellingenbestand unit.set, zonder unit", "niet uit de unit gelezen",
                    "Verschillen met zero.set", "Er is geen testoproep gedaan."}}),
    [](const ::testing::TestParamInfo<ReportCase>& info) { return std::string(info.param.name); });

enum class Setting { None, PortHeld, PortForbidden, DiskFull, TelnetServer, HangingUpServer, ReaderGone };

struct Failure {
    const char* name;
    const char* fault;    // of the virtual unit
    QStringList arguments;
    int status;
    const char* says;     // on standard error
    bool reachesUnit = false;
    Setting setting = Setting::None;
    QByteArray input = {};
    const char* output = nullptr; // standard output's file
    // Row 13's line as the file EDITED holds it; without a line end the file ends there.
    QByteArray edited = {};
};

void PrintTo(const Failure& failure, std::ostream* os)
{
    *os << failure.name;
}

class CliFailureTest : public CliTest, public ::testing::WithParamInterface<Failure> {};

// Whatever goes wrong, the tool says why, ends with its status, and leaves
// the output file as it was; bad usage or input never reaches the unit.
TEST_P(CliFailureTest, EndsWithItsStatus)
{
    ASSERT_TRUE(dir.isValid());
    const Failure& failure = GetParam();
    LocalUnit local(kType, pb::unitsim::FaultFromName(failure.fault).value_or(pb::unitsim::Fault::None));
    const QString port = local.line.slavePath();
    ASSERT_NO_FATAL_FAILURE(writeFile("out.set", "old\r\n"));
    ASSERT_NO_FATAL_FAILURE(writeFile("empty.set", {}));
    ASSERT_NO_FATAL_FAILURE(writeFile("good.set", SettingsFile({})));
    ASSERT_NO_FATAL_FAILURE(writeFile("partial.set", SettingsFile({}).replace("13    ->0\r\n", "")));
    const QByteArray good = SettingsFile({});
    const qsizetype row13 = good.indexOf("13    ->0\r\n");
    const QByteArray rest = failure.edited.endsWith("\r\n") ? good.mid(row13 + 11) : QByteArray();
    ASSERT_NO_FATAL_FAILURE(writeFile("edited.set", good.left(row13) + failure.edited + rest));
    // A device server whose port speaks Telnet, named as a raw one: it greets and says no more.
    QTcpServer telnetServer;
    ASSERT_TRUE(telnetServer.listen(QHostAddress::LocalHost));
    QStringList arguments = failure.arguments;
    const std::map<QString, QString> placeholders{
        {"TELNET", QStringLiteral("tcp://127.0.0.1:%1").arg(telnetServer.serverPort())},
        {"HANGUP", QStringLiteral("rfc2217://127.0.0.1:%1").arg(telnetServer.serverPort())},
        {"PORT", port}, {"MISSING", file("no-such-port")}, {"OUT", file("out.set")}, {"NOFILE", file("no.set")},
        {"EMPTY", file("empty.set")}, {"GOOD", file("good.set")}, {"PARTIAL", file("partial.set")},
        {"EDITED", file("edited.set")}};
    for (QString& argument : arguments)
        argument = placeholders.count(argument) ? placeholders.at(argument) : argument;

    ToolRun run;
    run.unit = &local;
    run.input = failure.input;
    run.output = QLatin1String(failure.output);
    QSerialPort holder(port);
    std::optional<QTemporaryDir> toolFolder;
    if (failure.setting == Setting::PortHeld) {
        ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    } else if (failure.setting == Setting::PortForbidden) {
        ASSERT_EQ(::chmod(port.toLocal8Bit().constData(), 0), 0);
        // Root opens any device: the tool runs as the user nobody, from a
        // copy in a folder that user can enter, which the checkout's folder
        // (under /root, say) may not be.
        toolFolder.emplace();
        run.tool = toolFolder->filePath(QStringLiteral("pagerbench-cli"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(PAGERBENCH_CLI), run.tool));
        ASSERT_EQ(::chmod(toolFolder->path().toLocal8Bit().constData(), 0755), 0);
        run.inChild = [] {
            if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(99);
        };
    } else if (failure.setting == Setting::DiskFull) {
        run.inChild = [] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{256, 256}; // the port's lock file fits, the settings file not
            ::setrlimit(RLIMIT_FSIZE, &limit);
        };
    } else if (failure.setting == Setting::ReaderGone) {
        run.inChild = [] { // standard output a pipe whose reader has closed it
            int ends[2];
            if (::pipe(ends) != 0 || ::dup2(ends[1], STDOUT_FILENO) < 0 || ::close(ends[0]) != 0)
                ::_exit(99);
        };
    } else if (failure.setting == Setting::TelnetServer) {
        run.meanwhile = [&](QProcess&, const Outcome&) {
            if (!telnetServer.waitForNewConnection(0))
                return;
            QTcpSocket* client = telnetServer.nextPendingConnection(); // the server's child
            client->write(QByteArray::fromHex("fffb00fffd2c")); // WILL BINARY, DO COM-PORT
            client->waitForBytesWritten(1000);
        };
    } else if (failure.setting == Setting::HangingUpServer) {
        run.meanwhile = [&](QProcess&, const Outcome&) {
            if (telnetServer.waitForNewConnection(0))
                telnetServer.nextPendingConnection()->close();
        };
    }
    const Outcome outcome = cli(arguments, run);
    EXPECT_EQ(outcome.status, failure.status) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.contains(failure.says)) << outcome.err.toStdString();
    QFile out(file("out.set"));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(), "old\r\n") << "a file only once every row was read, and whole";
    if (!failure.reachesUnit) {
        EXPECT_EQ(local.unit.counters().wakeUps, 0);
        EXPECT_EQ(local.unit.counters().frames, 0);
    }
    const pb::unitsim::UnitMemory factory = pb::unitsim::StartValues(kType);
    for (int item = 0; item < pb::kGridRows; ++item)
        EXPECT_EQ(local.unit.value(item), factory[item]) << "nothing written: item " << item;
}

const QStringList kReadPort{"read", "--port", "PORT", "--type", "3", "--out", "OUT"};
const QStringList kWritePort{"write", "--port", "PORT", "--type", "3"};
const QStringList kCallPort{"call", "--port", "PORT", "--address", "12"};

INSTANTIATE_TEST_SUITE_P(
    Statuses, CliFailureTest,
    ::testing::Values(
        Failure{"SilentUnit", "silent", kReadPort, 1, "not read; no file written", true},
        Failure{"SilentUnitForAReport", "silent", {"report", "--port", "PORT", "--type", "3", "--out", "OUT"}, 1,
                "not read; no report written", true},
        Failure{"SilentUnitBeforeABackedUpWrite", "silent", kWritePort + QStringList{"--backup", "OUT", "GOOD"}, 1,
                "not read; no backup made and nothing written", true},
        Failure{"RefusedCall", "refuse-call", kCallPort, 1, "did not take the call", true},
        Failure{"MissingDevice", "", {"read", "--port", "MISSING", "--type", "3", "--out", "OUT"}, 3,
                "No such file or directory"},
        Failure{"HeldDevice", "", kReadPort, 3, "Device or resource busy", false, Setting::PortHeld},
        Failure{"ForbiddenDevice", "", kReadPort, 3, "Permission denied (serial devices belong to the group dialout",
                false, Setting::PortForbidden},
        Failure{"UnreachableServer", "", {"read", "--port", "tcp://127.0.0.1:1", "--type", "3"}, 3,
                "tcp://127.0.0.1:1: no connection"},
        Failure{"ServerHangingUpWhileTheLineIsSet", "", {"read", "--port", "HANGUP", "--type", "3"}, 3,
                "closed the connection before the port was open", false, Setting::HangingUpServer},
        Failure{"TelnetServerOnARawPort", "", {"read", "--port", "TELNET", "--type", "3", "--out", "OUT"}, 1,
                "speaks Telnet: name the port rfc2217://127.0.0.1:", false, Setting::TelnetServer},
        Failure{"FullDiskUnderOut", "", kReadPort, 2, "cannot write", true, Setting::DiskFull},
        Failure{"FullStandardOutput", "", {"show", "--type", "3", "GOOD"}, 2, "No space left on device", false,
                Setting::None, {}, "/dev/full"},
        Failure{"ClosedStandardOutput", "", {"show", "--type", "3", "GOOD"}, 2,
                "cannot write standard output: Broken pipe", false, Setting::ReaderGone},
        Failure{"BadType", "", {"show", "--type", "7", "GOOD"}, 2, "unit type"},
        Failure{"MissingFile", "", kWritePort + QStringList{"NOFILE"}, 2, "cannot read"},
        Failure{"EmptyFile", "", kWritePort + QStringList{"EMPTY"}, 2, "no line for any row"},
        Failure{"FileWithoutARow", "", kWritePort + QStringList{"PARTIAL"}, 2, "no line for row 13"},
        Failure{"RowWithALetter", "", kWritePort + QStringList{"EDITED"}, 2,
                "edited.set is no settings file of unit type 3: row 13 holds no number", false, Setting::None, {},
                nullptr, "13    ->x\r\n"},
        Failure{"RowWithoutValue", "", {"show", "--type", "3", "EDITED"}, 2, "row 13 holds no number", false,
                Setting::None, {}, nullptr, "13    ->\r\n"},
        Failure{"RowWithABlank", "", {"diff", "--type", "3", "GOOD", "EDITED"}, 2, "row 13 holds no number", false,
                Setting::None, {}, nullptr, "13    -> \r\n"},
        Failure{"FileCutInARow", "", kWritePort + QStringList{"EDITED"}, 2, "and 25; row 13 holds no number", false,
                Setting::None, {}, nullptr, "13    ->"},
        Failure{"EmptyStandardInput", "", kWritePort + QStringList{"-"}, 2, "standard input is no settings file"},
        Failure{"UnknownCommand", "", {"erase", "--port", "PORT"}, 2, "unknown command"},
        Failure{"OptionOfAnotherCommand", "", {"show", "--port", "PORT", "GOOD"}, 2, "takes no --port"},
        Failure{"PortsWithAFile", "", {"ports", "GOOD"}, 2, "ports takes no file"},
        Failure{"LongAddress", "", {"call", "--port", "PORT", "--address", "12345678901"}, 2, "10 characters"},
        Failure{"LongMessage", "", kCallPort + QStringList{"--message", QString(41, u'x')}, 2, "40 characters"},
        Failure{"SecondsBeyondRange", "", {"monitor", "--port", "PORT", "--seconds", "4294968"}, 2, "seconds"},
        Failure{"JsonAndFileOnStandardOutput", "", {"read", "--port", "PORT", "--type", "3", "--json", "--out", "-"},
                2, "standard output"}),
    [](const ::testing::TestParamInfo<Failure>& info) { return std::string(info.param.name); });

} // namespace
