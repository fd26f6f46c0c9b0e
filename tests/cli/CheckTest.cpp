// pagerbench-cli check against each cause the virtual unit plays, on a
// pseudo-terminal and as a device server, and against ports that do not
// open: the steps' findings, the verdict and the exit status.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

struct CheckRun {
    int status = -1;
    QJsonObject document;
    QStringList results; // "step:result" in order
};

CheckRun RunCheck(const QString& port)
{
    QProcess tool;
    tool.start(QStringLiteral(PAGERBENCH_CLI), {"check", "--port", port, "--type", "3", "--json"});
    CheckRun run;
    if (!tool.waitForFinished(30000))
        return run;
    run.status = tool.exitCode();
    run.document = QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
    for (const QJsonValue step : run.document.value("steps").toArray())
        run.results << step["step"].toString() + u':' + step["result"].toString();
    return run;
}

// A free port on the loopback, for a unit playing a device server.
quint16 FreePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

struct Cause {
    const char* name;
    QStringList unitArguments;
    bool server;
    QStringList heard; // listen, echo and ask, in order
    const char* verdict;
    int status;
};

TEST(CliCheck, NamesEachCauseTheUnitPlaysInItsVerdict)
{
    QTemporaryDir dir;
    const QStringList quiet{"--quiet"};
    const Cause causes[] = {
        {"answers", quiet, false, {"listen:nothing", "echo:none", "ask:answered"}, "answers", 0},
        {"echo", {"--fault", "echo"}, false, {"listen:nothing", "echo:echo", "ask:echo", "ask:echo", "ask:echo"}, "echo", 1},
        {"garbled", {"--fault", "garbled"}, false,
         {"listen:nothing", "echo:none", "ask:garbled", "ask:garbled", "ask:garbled"}, "garbled", 1},
        {"deep-sleep", {"--fault", "deep-sleep", "--quiet"}, false,
         {"listen:nothing", "echo:none", "ask:silent", "ask:answered"}, "answers-later", 0},
        {"text-only", {"--fault", "text-only"}, false, {"listen:text", "echo:none", "ask:silent", "ask:silent"},
         "text-only", 1},
        {"silent", {"--fault", "silent", "--quiet"}, false, {"listen:nothing", "echo:none", "ask:silent", "ask:silent"},
         "nothing", 1},
        {"server answers", quiet, true, {"listen:nothing", "echo:none", "ask:answered"}, "answers", 0},
        {"server echoes", {"--fault", "echo"}, true, {"listen:nothing", "echo:echo", "ask:echo", "ask:echo", "ask:echo"},
         "echo", 1},
    };
    for (const Cause& cause : causes) {
        SCOPED_TRACE(cause.name);
        const quint16 tcp = cause.server ? FreePort() : 0;
        const QString port = cause.server ? QStringLiteral("tcp://127.0.0.1:%1").arg(tcp) : dir.filePath("unit");
        QProcess unit;
        unit.start(QStringLiteral(PAGERBENCH_UNITSIM),
                   QStringList{"--type", "3"} + cause.unitArguments
                       + (cause.server ? QStringList{"--tcp", QString::number(tcp)} : QStringList{"--link", port}));
        ASSERT_TRUE(unit.waitForReadyRead(10000));
        const CheckRun run = RunCheck(port);
        unit.terminate();
        unit.waitForFinished(5000);
        EXPECT_EQ(run.status, cause.status);
        EXPECT_EQ(run.document.value("exit").toInt(-1), cause.status);
        EXPECT_EQ(run.document.value("verdict").toString(), cause.verdict);
        const QStringList heard = run.results.filter(QRegularExpression("^(listen|echo|ask):"));
        EXPECT_EQ(heard, cause.heard);
        EXPECT_EQ(run.results.value(2), "open:opened");
        EXPECT_EQ(run.results.value(0), "name:named");
        const QJsonObject verdict = run.document.value("steps").toArray().last().toObject();
        if (QLatin1String(cause.verdict) == QLatin1String("echo")) {
            EXPECT_EQ(verdict["looksLike"].toString(), cause.server ? "server" : "loopback");
        }
    }
}

TEST(CliCheck, APortThatDoesNotOpenSaysWhyAndWhoHoldsIt)
{
    QTemporaryDir dir;
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString refused = QStringLiteral("tcp://127.0.0.1:%1").arg(closed.serverPort());
    closed.close();
    QProcess unit;
    unit.start(QStringLiteral(PAGERBENCH_UNITSIM), {"--type", "3", "--quiet", "--link", dir.filePath("held")});
    ASSERT_TRUE(unit.waitForReadyRead(10000));
    QSerialPort holder(dir.filePath("held"));
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));

    const CheckRun missing = RunCheck(dir.filePath("none"));
    EXPECT_EQ(missing.status, 3);
    EXPECT_EQ(missing.results, QStringList({"name:named", "reach:missing", "open:missing", "verdict:not-opened"}));
    QProcess french;
    french.start(QStringLiteral(PAGERBENCH_CLI), {"check", "--port", dir.filePath("none"), "--type", "3", "--lang", "fr"});
    ASSERT_TRUE(french.waitForFinished(30000));
    EXPECT_TRUE(french.readAllStandardOutput().endsWith("Verdict  L'appareil n'est pas là : vérifiez le nom ou le numéro"
                                                        " du port, et que l'adaptateur est branché.\n"));
    const CheckRun server = RunCheck(refused);
    EXPECT_EQ(server.status, 3);
    EXPECT_TRUE(server.results.contains("open:refused")) << server.results.join(' ').toStdString();
    const CheckRun held = RunCheck(dir.filePath("held"));
    EXPECT_EQ(held.status, 3);
    const QJsonObject open = held.document.value("steps").toArray().at(2).toObject();
    EXPECT_EQ(open["result"].toString(), "busy");
    EXPECT_EQ(open["holderPid"].toInteger(), qint64(::getpid())) << "this test holds the port";
    QFile comm(QStringLiteral("/proc/self/comm"));
    ASSERT_TRUE(comm.open(QIODevice::ReadOnly));
    EXPECT_EQ(open["holderCommand"].toString(), QString::fromUtf8(comm.readAll()).trimmed());
    unit.terminate();
    unit.waitForFinished(5000);
}

} // namespace
