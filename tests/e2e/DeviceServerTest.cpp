// The program on a virtual unit behind the system's ser2net, the unit on a
// pseudo-terminal: the line set over RFC 2217, the raw mode with a server
// that restarts, and a tcp:// port that meets a Telnet server.
#include "ProgramOnUnit.h"
#include "support/Ser2net.h"
#include "unitsim/ReplyFrames.h"

#include <QElapsedTimer>
#include <QTest>
#include <arpa/inet.h>
#include <iostream>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace {

using namespace pbtest;

class DeviceServer : public ProgramOnUnit {
protected:
    void SetUp() override
    {
        if (Ser2net::Program().isEmpty())
            GTEST_SKIP() << "ser2net is not installed (scripts/install-deps.sh installs it)";
        ASSERT_TRUE(line->isValid());
        lineWaitMs = 15000;
    }

    // ser2net in front of the unit's line, listening on a free port.
    void serve(bool rfc2217, const QString& lineSettings)
    {
        serverPort = Ser2net::FreePort();
        QString error;
        ASSERT_TRUE(server.start(Ser2net::Connection(serverPort, rfc2217, line->slavePath(), lineSettings),
                                 serverPort, error))
            << error.toStdString();
    }

    // The program started on the server, the test watching its socket.
    void launchOn(const QString& scheme)
    {
        pb::unitsim::UnitOptions options;
        options.statusEveryMs = 0;
        ASSERT_NO_FATAL_FAILURE(
            launch(3, options, {}, QStringLiteral("%1://127.0.0.1:%2").arg(scheme).arg(serverPort)));
        ASSERT_TRUE(program->port.isOpen());
        ASSERT_NO_FATAL_FAILURE(watchSocket());
    }

    void watchSocket()
    {
        socketFd = socketTo(serverPort);
        ASSERT_GE(socketFd, 0) << "the program's connection to the server";
        watchPortDescriptor(socketFd);
    }

    // Closed and opened as the settings dialog's Save does; the start's own
    // lines leave the message window when the program is loaded.
    void openAgain()
    {
        program->port.CloseComPort();
        ASSERT_EQ(program->OpenConfiguredPort(), 0);
        ASSERT_NO_FATAL_FAILURE(watchSocket());
    }

    void pressAndServe(QPushButton* button)
    {
        button->click();
        ASSERT_TRUE(tickUntil([this] { return allServed(); }));
    }

    bool allDone() const
    {
        return std::all_of(reports.begin(), reports.end(),
                           [](const pb::ExchangeReport& r) { return r.result == pb::ExchangeResult::Done; });
    }

    // This process's TCP socket connected to 127.0.0.1:port.
    static int socketTo(quint16 port)
    {
        const QDir fds(QStringLiteral("/proc/self/fd"));
        for (const QString& name : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            if (!QFileInfo(fds.filePath(name)).symLinkTarget().contains(QStringLiteral("socket:")))
                continue;
            sockaddr_in peer{};
            socklen_t size = sizeof peer;
            if (::getpeername(name.toInt(), reinterpret_cast<sockaddr*>(&peer), &size) == 0
                && peer.sin_family == AF_INET && ntohs(peer.sin_port) == port)
                return name.toInt();
        }
        return -1;
    }

    static int socketOption(int fd, int level, int option)
    {
        int value = -1;
        socklen_t size = sizeof value;
        ::getsockopt(fd, level, option, &value, &size);
        return value;
    }

    Ser2net server;
    quint16 serverPort = 0;
    int socketFd = -1;
};

TEST_F(DeviceServer, Rfc2217SetsTheLineAndCarries0xFFBothWays)
{
    ASSERT_NO_FATAL_FAILURE(serve(true, QStringLiteral("9600n82")));
    {
        // A client of its own first, so that ser2net sets up the line as it is configured.
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, serverPort);
        ASSERT_TRUE(probe.waitForConnected(2000));
        ASSERT_TRUE(probe.waitForReadyRead(2000)) << "ser2net greets in Telnet";
        const termios before = line->slaveSettings();
        // A pseudo-terminal keeps the speed and the stop bits, not the data size or the parity.
        EXPECT_EQ(cfgetospeed(&before), speed_t(B9600));
        EXPECT_TRUE(before.c_cflag & CSTOPB);
        probe.disconnectFromHost();
    }

    ASSERT_NO_FATAL_FAILURE(launchOn(QStringLiteral("rfc2217")));
    const termios after = line->slaveSettings();
    EXPECT_EQ(cfgetospeed(&after), speed_t(B19200));
    EXPECT_EQ(after.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_FALSE(after.c_cflag & (PARENB | CSTOPB));
    // A pseudo-terminal has no modem lines: ser2net leaves them unanswered.

    // Half-open connections are noticed within a minute.
    EXPECT_EQ(socketOption(socketFd, SOL_SOCKET, SO_KEEPALIVE), 1);
    EXPECT_LE(socketOption(socketFd, IPPROTO_TCP, TCP_KEEPIDLE)
                  + socketOption(socketFd, IPPROTO_TCP, TCP_KEEPINTVL) * socketOption(socketFd, IPPROTO_TCP, TCP_KEEPCNT),
              60);

    // One row's value is 0xFF; another's makes its reply's checksum 0xFF.
    const std::vector<int> shown = shownRows();
    ASSERT_GE(shown.size(), 2u);
    const int ffValue = shown[0], ffChecksum = shown[1];
    const auto checksumValue = uint8_t(136 - ffChecksum);
    ASSERT_EQ(uint8_t(pb::unitsim::ReadReply(uint8_t(ffChecksum), checksumValue).back()), 0xFF);
    for (int row : shown)
        unit->setValue(row, 1);
    unit->setValue(ffValue, 0xFF);
    unit->setValue(ffChecksum, checksumValue);
    showTab(UnitTab);
    ASSERT_NO_FATAL_FAILURE(pressAndServe(window().CmdLeesAlles));
    EXPECT_EQ(rows().ValueFromUnit[ffValue], 0xFF);
    EXPECT_EQ(rows().ValueFromUnit[ffChecksum], checksumValue);
    for (int row : shown)
        EXPECT_NE(rows().ValueFromUnit[row], -1) << "row " << row;
    EXPECT_TRUE(allDone());

    ASSERT_TRUE(writeAllFirstOptions(shown));
    for (int row : shown)
        EXPECT_EQ(unit->value(row), 0) << "row " << row;

    // 0xFF is "ÿ" in the message's code page.
    ASSERT_TRUE(placeTestCall(QStringLiteral("1234"), QStringLiteral("caf\u00ff \u00ff\u00ff")));
    EXPECT_EQ(unit->calls()[0].message, "caf\xFF \xFF\xFF");
    EXPECT_EQ(unit->counters().checkSumErrors, 0);
    EXPECT_TRUE(allDone());

    QElapsedTimer opening;
    opening.start();
    ASSERT_NO_FATAL_FAILURE(openAgain());
    std::cout << "[ measured ] rfc2217:// open against ser2net: " << opening.elapsed() << " ms\n";
    // A pseudo-terminal has no modem lines: ser2net leaves them unanswered.
    EXPECT_EQ(linesWith(QStringLiteral("did not take")), 1);
    EXPECT_TRUE(logHas(QStringLiteral("did not take: RTS off, DTR off")));
}

// Both kinds of port find the server again after it restarted; over
// RFC 2217 the line is set again over the 9600 baud ser2net sets.
class ServerRestart : public DeviceServer, public ::testing::WithParamInterface<bool> {};

TEST_P(ServerRestart, TheProgramReconnectsAndTheNextReadReachesTheUnit)
{
    const bool rfc2217 = GetParam();
    ASSERT_NO_FATAL_FAILURE(serve(rfc2217, rfc2217 ? QStringLiteral("9600n81") : QStringLiteral("19200n81")));
    ASSERT_NO_FATAL_FAILURE(launchOn(rfc2217 ? QStringLiteral("rfc2217") : QStringLiteral("tcp")));
    const std::vector<int> shown = shownRows();
    for (int row : shown)
        unit->setValue(row, 2);
    showTab(UnitTab);
    ASSERT_NO_FATAL_FAILURE(pressAndServe(window().CmdLeesAlles));
    for (int row : shown)
        EXPECT_EQ(rows().SettingsInUnit[row], 2) << "row " << row;

    server.stop();
    ASSERT_TRUE(QTest::qWaitFor([this] { tick(); return !program->port.isOpen(); }, 5000));
    QString error;
    ASSERT_TRUE(server.restart(error)) << error.toStdString();
    ASSERT_TRUE(QTest::qWaitFor([this] { tick(); return program->port.isOpen(); }, 5000));
    ASSERT_NO_FATAL_FAILURE(watchSocket());
    EXPECT_EQ(linesWith(QStringLiteral("Comport lost:")), 1);
    EXPECT_EQ(linesWith(QStringLiteral("Comport back:")), 1);
    if (rfc2217) {
        const termios back = line->slaveSettings();
        EXPECT_EQ(cfgetospeed(&back), speed_t(B19200));
    }

    unit->setValue(shown.front(), 3);
    ASSERT_NO_FATAL_FAILURE(pressAndServe(window().CmdLeesAlles));
    EXPECT_EQ(rows().SettingsInUnit[shown.front()], 3);
    EXPECT_TRUE(allDone());
}

INSTANTIATE_TEST_SUITE_P(RawAndRfc2217, ServerRestart, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("Rfc2217") : std::string("Raw");
                         });

TEST_F(DeviceServer, ATcpPortOnATelnetServerSaysSoAndTakesNoReplyFromItsCommands)
{
    ASSERT_NO_FATAL_FAILURE(serve(true, QStringLiteral("19200n81")));
    ASSERT_NO_FATAL_FAILURE(launchOn(QStringLiteral("tcp")));
    ASSERT_NO_FATAL_FAILURE(openAgain());
    showTab(UnitTab);
    const int row = shownRows().front();
    unit->setValue(row, 1);
    engine().request(pb::UnitRequest::ReadRow(int16_t(row))); // one row, so that its lines leave the notice in the message window
    ASSERT_TRUE(tickUntil([this] { return allServed(); }));
    EXPECT_EQ(linesWith(QStringLiteral("speaks Telnet")), 1);
    EXPECT_TRUE(logHas(QStringLiteral("rfc2217://127.0.0.1:%1").arg(serverPort)));
    ASSERT_FALSE(reports.empty());
    EXPECT_TRUE(allDone()) << "the server's negotiation was read as a reply";
    EXPECT_EQ(rows().SettingsInUnit[row], 1);
}

} // namespace
