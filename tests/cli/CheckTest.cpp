// pagerbench-cli check against each cause the virtual unit plays, on a
// pseudo-terminal and as a device server, and against ports that do not
// open: the steps' findings, the verdict and the exit status.
#include "support/Ser2net.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

using pbtest::Ser2net;

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

// How the check reaches the unit: its pseudo-terminal, the unit playing a
// device server itself, or ser2net in front of its pseudo-terminal.
enum class Via { Terminal, Server, Ser2netRaw, Ser2netTelnet };

struct Cause {
    const char* name;
    QStringList unitArguments;
    Via via;
    QStringList heard; // listen, echo and ask, in order
    const char* verdict;
    int status;
};

// Where the check finds the unit; the ser2net in front of it, when it needs one.
QString PortTo(const Cause& cause, const QString& terminal, quint16 tcp, Ser2net& ser2net)
{
    switch (cause.via) {
    case Via::Terminal: return terminal;
    case Via::Server: return QStringLiteral("tcp://127.0.0.1:%1").arg(tcp);
    case Via::Ser2netRaw:
    case Via::Ser2netTelnet: break;
    }
    const bool telnet = cause.via == Via::Ser2netTelnet;
    QString error;
    EXPECT_TRUE(ser2net.start(Ser2net::Connection(tcp, telnet, QFileInfo(terminal).canonicalFilePath(), "19200n81"),
                              tcp, error))
        << error.toStdString();
    return QStringLiteral("%1://127.0.0.1:%2").arg(telnet ? "rfc2217" : "tcp").arg(tcp);
}

// The line step as each way tells it: read back from a local port, asked
// of a server over RFC 2217, unknown behind a raw server.
QString LineResult(Via via)
{
    switch (via) {
    case Via::Terminal: return QStringLiteral("line:read-back");
    case Via::Ser2netTelnet: return QStringLiteral("line:server");
    case Via::Server:
    case Via::Ser2netRaw: break;
    }
    return QStringLiteral("line:unknown");
}

TEST(CliCheck, NamesEachCauseTheUnitPlaysInItsVerdict)
{
    QTemporaryDir dir;
    const QStringList quiet{"--quiet"};
    const bool ser2net = !Ser2net::Program().isEmpty();
    const Cause causes[] = {
        {"answers", quiet, Via::Terminal, {"listen:nothing", "echo:none", "ask:answered"}, "answers", 0},
        {"echo", {"--fault", "echo"}, Via::Terminal, {"listen:nothing", "echo:echo", "ask:echo", "ask:echo", "ask:echo"}, "echo", 1},
        {"garbled", {"--fault", "garbled"}, Via::Terminal,
         {"listen:nothing", "echo:none", "ask:garbled", "ask:garbled", "ask:garbled"}, "garbled", 1},
        {"deep-sleep", {"--fault", "deep-sleep", "--quiet"}, Via::Terminal,
         {"listen:nothing", "echo:none", "ask:silent", "ask:answered"}, "answers-later", 0},
        {"text-only", {"--fault", "text-only"}, Via::Terminal, {"listen:text", "echo:none", "ask:silent", "ask:silent"},
         "text-only", 1},
        {"silent", {"--fault", "silent", "--quiet"}, Via::Terminal, {"listen:nothing", "echo:none", "ask:silent", "ask:silent"},
         "nothing", 1},
        {"server answers", quiet, Via::Server, {"listen:nothing", "echo:none", "ask:answered"}, "answers", 0},
        {"server echoes", {"--fault", "echo"}, Via::Server, {"listen:nothing", "echo:echo", "ask:echo", "ask:echo", "ask:echo"},
         "echo", 1},
        {"ser2net raw", quiet, Via::Ser2netRaw, {"listen:nothing", "echo:none", "ask:answered"}, "answers", 0},
        {"ser2net rfc2217", quiet, Via::Ser2netTelnet, {"listen:nothing", "echo:none", "ask:answered"}, "answers", 0},
    };
    for (const Cause& cause : causes) {
        SCOPED_TRACE(cause.name);
        const bool behindSer2net = cause.via == Via::Ser2netRaw || cause.via == Via::Ser2netTelnet;
        if (behindSer2net && !ser2net)
            continue; // scripts/install-deps.sh installs it
        const quint16 tcp = Ser2net::FreePort();
        const QString terminal = dir.filePath("unit");
        QProcess unit;
        unit.start(QStringLiteral(PAGERBENCH_UNITSIM),
                   QStringList{"--type", "3"} + cause.unitArguments
                       + (cause.via == Via::Server ? QStringList{"--tcp", QString::number(tcp)}
                                                   : QStringList{"--link", terminal}));
        ASSERT_TRUE(unit.waitForReadyRead(10000));
        Ser2net server;
        const CheckRun run = RunCheck(PortTo(cause, terminal, tcp, server));
        unit.terminate();
        unit.waitForFinished(5000);
        EXPECT_EQ(run.status, cause.status);
        EXPECT_EQ(run.document.value("exit").toInt(-1), cause.status);
        EXPECT_EQ(run.document.value("verdict").toString(), cause.verdict);
        const QStringList heard = run.results.filter(QRegularExpression("^(listen|echo|ask):"));
        EXPECT_EQ(heard, cause.heard);
        EXPECT_TRUE(run.results.contains("open:opened")) << run.results.join(' ').toStdString();
        EXPECT_TRUE(run.results.contains(LineResult(cause.via))) << run.results.join(' ').toStdString();
        EXPECT_EQ(run.results.value(0), "name:named");
        const QJsonObject verdict = run.document.value("steps").toArray().last().toObject();
        if (QLatin1String(cause.verdict) == QLatin1String("echo")) {
            EXPECT_EQ(verdict["looksLike"].toString(), cause.via == Via::Server ? "server" : "loopback");
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
    // A name that never resolves.
    const CheckRun away = RunCheck(QStringLiteral("tcp://no-such-host.invalid:4001"));
    EXPECT_EQ(away.status, 3);
    EXPECT_EQ(away.results, QStringList({"name:named", "reach:failed", "open:unreachable", "verdict:not-opened"}));
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

// A holder this user may not look at: root holds the port without a lock
// file, the check runs as nobody and names the way to find the holder.
TEST(CliCheck, AHolderThatCannotBeSeenIsSaidToBeUnseen)
{
    if (::geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
        GTEST_SKIP() << "needs root and setpriv to run the check as another user";
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                          | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    const QString link = dir.filePath("held");
    QProcess unit;
    unit.start(QStringLiteral(PAGERBENCH_UNITSIM), {"--type", "3", "--quiet", "--link", link});
    ASSERT_TRUE(unit.waitForReadyRead(10000));
    const QByteArray device = QFileInfo(link).canonicalFilePath().toLocal8Bit();
    ASSERT_EQ(::chmod(device.constData(), 0666), 0);
    const int held = ::open(device.constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::ioctl(held, TIOCEXCL), 0);
    QProcess tool;
    tool.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", "env", "HOME=" + dir.path(),
                           PAGERBENCH_CLI, "check", "--port", link, "--type", "3", "--json"});
    ASSERT_TRUE(tool.waitForFinished(30000));
    ::close(held);
    const QJsonObject open =
        QJsonDocument::fromJson(tool.readAllStandardOutput()).object()["steps"].toArray().at(2).toObject();
    EXPECT_EQ(tool.exitCode(), 3);
    EXPECT_EQ(open["result"].toString(), "busy");
    EXPECT_FALSE(open.contains("holderPid"));
    EXPECT_EQ(open["findHolder"].toString(), "sudo fuser -v " + link);
    unit.terminate();
    unit.waitForFinished(5000);
}

} // namespace
