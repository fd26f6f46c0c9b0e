#include "link/devices/Datacom.h"
#include "link/ports/PortMap.h"
#include "support/CoreState.h"
#include "texts/PortWording.h"

#include "support/PseudoTerminal.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>
#include <arpa/inet.h>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kWaitMs = 2000;

// Points "Com n" at a device for the length of a test.
class PortDevice {
public:
    PortDevice(int portNumber, const QString& device)
        : name_(QByteArray("PAGERBENCH_COM") + QByteArray::number(portNumber))
    {
        qputenv(name_.constData(), device.toLocal8Bit());
    }
    ~PortDevice() { qunsetenv(name_.constData()); }
    void point(const QString& device) { qputenv(name_.constData(), device.toLocal8Bit()); }

private:
    QByteArray name_;
};

class DatacomTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.isValid());
        state.folder.path = dir.path();
        state.config.logging = 2;
        state.now = [] { return QDateTime(QDate(2027, 3, 1), QTime(9, 5, 7)); };
        int16_t language = 0;
        pb::LoadTexts(state.texts, language);
        com.onCaption = [this](const QString& text) { caption = text; };
    }

    int16_t openDefault(pb::Datacom& datacom) { return datacom.OpenComPort(0, 5, 0, 1, 0, 0); }

    // The logged messages, without their time of day.
    QStringList messages() const
    {
        QStringList list;
        for (int i = 0; i < state.log.lineCount; ++i)
            list << state.log.lines[i].mid(QStringLiteral("09:05:07 ").size());
        return list;
    }
    int countLost() const
    {
        return static_cast<int>(messages().filter(QRegularExpression("^Comport lost: ")).size());
    }
    int countBack() const
    {
        return static_cast<int>(messages().filter(QRegularExpression("^Comport back: ")).size());
    }

    // Polls ReadByte as the protocol tick does, with no event loop running,
    // until `count` bytes came or the wait ran out.
    QByteArray receive(int count)
    {
        QDeadlineTimer deadline(kWaitMs);
        QByteArray bytes;
        while (bytes.size() < count && !deadline.hasExpired()) {
            const int16_t value = com.ReadByte();
            if (value >= 0)
                bytes.append(static_cast<char>(value));
            else
                QThread::msleep(1);
        }
        return bytes;
    }

    // Seconds go by on the port's clock, with the engine's ticks; the event
    // loop gets a turn for what a reopening does in the background.
    void secondsPass(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            clockMs += pb::Datacom::kRelinkIntervalMs;
            com.Tick();
            QCoreApplication::processEvents();
        }
    }
    // Seconds go by until the port is open again.
    bool backWithin(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            clockMs += pb::Datacom::kRelinkIntervalMs;
            com.Tick();
            if (QTest::qWaitFor([this] { return com.isOpen(); }, kWaitMs))
                return true;
        }
        return false;
    }

    static QByteArray everyByteValue()
    {
        QByteArray bytes;
        for (int v = 0; v < 256; ++v)
            bytes.append(static_cast<char>(v));
        return bytes;
    }

    QTemporaryDir dir;
    pbtest::CoreState state;
    pbtest::PseudoTerminal pty;
    PortDevice device{ 1, pty.slavePath() };
    qint64 clockMs = 0;
    pb::Datacom com{ state.logfile, pb::PortWordsOf(state.texts), state.lamps, [this] { return clockMs; } };
    QString caption = "Serial Port: ";
};

TEST_F(DatacomTest, OpenLogsTheSettingsAndCaptionsTheFrame)
{
    EXPECT_EQ(openDefault(com), 0);
    EXPECT_TRUE(com.isOpen());
    EXPECT_EQ(messages(), QStringList{ "Com: 1 opened with: 19200,N,8,1" });
    EXPECT_EQ(state.log.lines[0], "09:05:07 Com: 1 opened with: 19200,N,8,1");
    EXPECT_EQ(caption, "Serial Port: 1 19200,N,8,1");

    const termios line = pty.slaveSettings();
    EXPECT_EQ(cfgetospeed(&line), speed_t(B19200));
    EXPECT_EQ(cfgetispeed(&line), speed_t(B19200));
    EXPECT_EQ(line.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_FALSE(line.c_cflag & PARENB);
    EXPECT_FALSE(line.c_cflag & CSTOPB);
    EXPECT_FALSE(line.c_cflag & CRTSCTS);
}

TEST_F(DatacomTest, CodesAndPortIndexReachTheLine)
{
    PortDevice third(3, pty.slavePath());
    EXPECT_EQ(com.OpenComPort(2, 4, 1, 0, 1, 2), 0);
    EXPECT_EQ(messages(), QStringList{ "Com: 3 opened with: 9600,E,7,2" });
    EXPECT_EQ(caption, "Serial Port: 3 9600,E,7,2");

    // A pseudo-terminal always keeps 8 data bits without parity.
    const termios line = pty.slaveSettings();
    EXPECT_EQ(cfgetospeed(&line), speed_t(B9600));
    EXPECT_TRUE(line.c_cflag & CSTOPB);
    EXPECT_TRUE(line.c_cflag & CRTSCTS);
}

TEST_F(DatacomTest, EveryByteValuePassesBothWaysUnchanged)
{
    ASSERT_EQ(openDefault(com), 0);
    const QByteArray all = everyByteValue();

    ASSERT_TRUE(pty.write(all));
    EXPECT_EQ(receive(256), all);

    for (int v = 0; v < 256; ++v)
        ASSERT_EQ(com.SendByte(static_cast<int16_t>(v)), 0) << v;
    com.Tick();
    EXPECT_EQ(pty.read(256), all);
}

TEST_F(DatacomTest, BytesBufferedByTheEventLoopAreReadToo)
{
    ASSERT_EQ(openDefault(com), 0);
    const QByteArray sent("\x01\x00\xfe", 3);
    ASSERT_TRUE(pty.write(sent));
    QByteArray bytes;
    QDeadlineTimer deadline(kWaitMs);
    while (bytes.size() < 3 && !deadline.hasExpired()) {
        QTest::qWait(5); // the port's notifier takes the bytes in meanwhile
        for (int16_t v = com.ReadByte(); v >= 0; v = com.ReadByte())
            bytes.append(static_cast<char>(v));
    }
    EXPECT_EQ(bytes, sent);
    EXPECT_TRUE(com.isOpen());
    EXPECT_EQ(countLost(), 0);
}

// The engine's timer reads inside the running event loop, where the port's
// own notifier brings the bytes in.
TEST_F(DatacomTest, ReadsFromATimerInTheEventLoopGetEveryByte)
{
    ASSERT_EQ(openDefault(com), 0);
    const QByteArray sent = everyByteValue();
    QByteArray bytes;
    QEventLoop loop; // as in the program, not a test's own wait
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        for (int16_t v = com.ReadByte(); v >= 0; v = com.ReadByte())
            bytes.append(static_cast<char>(v));
        if (bytes.size() >= sent.size())
            loop.quit();
    });
    tick.start(5);
    QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
    ASSERT_TRUE(pty.write(sent));
    loop.exec();
    EXPECT_EQ(bytes, sent);
}

// Notes what Datacom asks of its device, in order.
struct NotingDevice : pb::LineDevice {
    explicit NotingDevice(QStringList& calls) : calls(calls) {}
    pb::DeviceError open(const pb::LineSettings&) override { return {}; }
    bool isOpen() const override { return true; }
    void close() override { calls << "close"; }
    QByteArray readWaiting() override { calls << "read"; return {}; }
    bool write(const QByteArray& bytes) override { calls << bytes.toHex(); return true; }
    void clearInput() override {}
    void setModemLines(bool, bool) override {}
    QStringList& calls;
};

TEST_F(DatacomTest, TheBytesSentSinceTheLastReadTickOrCloseGoInOneWrite)
{
    QStringList calls;
    com.makeLineDevice = [&](const QString&) { return std::make_unique<NotingDevice>(calls); };
    ASSERT_EQ(openDefault(com), 0);
    for (int16_t byte : {1, 2, 3})
        com.SendByte(byte);
    com.ReadByte();
    com.SendByte(4);
    com.Tick();
    com.SendByte(5);
    com.CloseComPort();
    EXPECT_EQ(calls, QStringList({"010203", "read", "04", "05", "close"}));
}

TEST_F(DatacomTest, SendByteOutsideAByteSendsNothing)
{
    ASSERT_EQ(openDefault(com), 0);
    for (int16_t value : { int16_t(256), int16_t(-1), int16_t(1000), int16_t(-32768) }) {
        EXPECT_EQ(com.SendByte(value), -1) << value;
        EXPECT_EQ(state.lamps.sending, pb::kFalse) << value;
    }
    EXPECT_EQ(com.SendByte(0), 0);
    EXPECT_EQ(state.lamps.sending, pb::kTrue);
    EXPECT_EQ(com.SendByte(255), 0);
    EXPECT_EQ(com.SendByte(256), -1);
    EXPECT_EQ(com.SendByte(0x42), 0);
    com.Tick();
    // Order is kept, so a stray byte would show before the last one.
    EXPECT_EQ(pty.read(3), QByteArray("\x00\xff\x42", 3));
}

TEST_F(DatacomTest, ClosedPortRefusesButStillFlashesTheTransmitLamp)
{
    EXPECT_EQ(com.SendByte(7), -1);
    EXPECT_EQ(state.lamps.sending, pb::kTrue);
    EXPECT_EQ(com.ReadByte(), -1);
    EXPECT_EQ(state.lamps.receiving, pb::kFalse);
    com.FlushInput(); // ignored while closed
}

TEST_F(DatacomTest, ReceiveLampOnlyForAByteTaken)
{
    ASSERT_EQ(openDefault(com), 0);
    EXPECT_EQ(com.ReadByte(), -1);
    EXPECT_EQ(state.lamps.receiving, pb::kFalse);

    ASSERT_TRUE(pty.write("A"));
    EXPECT_EQ(receive(1), "A");
    EXPECT_EQ(state.lamps.receiving, pb::kTrue);
}

TEST_F(DatacomTest, FlushInputDiscardsWaitingBytes)
{
    ASSERT_EQ(openDefault(com), 0);
    ASSERT_TRUE(pty.write("abc"));
    ASSERT_EQ(receive(1), "a"); // "bc" now wait in the buffer
    com.FlushInput();
    EXPECT_EQ(com.ReadByte(), -1);

    ASSERT_TRUE(pty.write("z"));
    EXPECT_EQ(receive(1), "z");
    EXPECT_EQ(com.ReadByte(), -1);
}

TEST_F(DatacomTest, MissingDeviceIsLoggedAndLeavesTheCaption)
{
    device.point(dir.filePath("no-such-port"));
    EXPECT_EQ(openDefault(com), -1);
    EXPECT_FALSE(com.isOpen());
    EXPECT_EQ(messages(), QStringList{ "Error opening Comport:  1" });
    EXPECT_EQ(caption, "Serial Port: ");
    EXPECT_EQ(com.lastError().kind, pb::DeviceErrorKind::Missing);
    EXPECT_EQ(com.ReadByte(), -1);
    EXPECT_EQ(com.SendByte(1), -1);
}

TEST_F(DatacomTest, PortHeldByAnotherIsBusy)
{
    ASSERT_EQ(openDefault(com), 0);
    pb::Datacom second(state.logfile, pb::PortWordsOf(state.texts), state.lamps);
    QString secondCaption = "Serial Port: ";
    second.onCaption = [&](const QString& text) { secondCaption = text; };

    EXPECT_EQ(openDefault(second), -1);
    EXPECT_EQ(messages().last(), "Error opening Comport:  1");
    EXPECT_EQ(secondCaption, "Serial Port: ");
    EXPECT_EQ(second.SendByte(1), -1);

    // The holder keeps its line.
    EXPECT_EQ(com.SendByte(0x55), 0);
    com.Tick();
    EXPECT_EQ(pty.read(1), "\x55");
}

TEST_F(DatacomTest, OpeningAnOpenPortFailsAndKeepsIt)
{
    ASSERT_EQ(openDefault(com), 0);
    caption = "kept";
    EXPECT_EQ(openDefault(com), -1);
    EXPECT_EQ(messages().last(), "Error opening Comport:  1");
    EXPECT_EQ(caption, "kept");
    EXPECT_EQ(com.SendByte(0x11), 0);
    com.Tick();
    EXPECT_EQ(pty.read(1), "\x11");
}

TEST_F(DatacomTest, CloseLogsAndAllowsReopening)
{
    ASSERT_EQ(openDefault(com), 0);
    ASSERT_TRUE(pty.write("xy"));
    ASSERT_EQ(receive(1), "x");
    com.CloseComPort();
    EXPECT_FALSE(com.isOpen());
    EXPECT_EQ(messages().last(), "Comport closed by software.");
    EXPECT_EQ(com.ReadByte(), -1); // "y" went with the port
    EXPECT_EQ(com.SendByte(1), -1);

    // The settings dialog closes and reopens the same port.
    EXPECT_EQ(openDefault(com), 0);
    EXPECT_EQ(messages().last(), "Com: 1 opened with: 19200,N,8,1");
    ASSERT_TRUE(pty.write("q"));
    EXPECT_EQ(receive(1), "q");
}

TEST_F(DatacomTest, HangupFailsReadsAndSendsAndIsLoggedOnce)
{
    ASSERT_EQ(openDefault(com), 0);
    ASSERT_TRUE(pty.write("late"));
    ASSERT_EQ(receive(1), "l");
    pty.closeMaster();

    // The bytes still buffered are dropped with the line; sending may be
    // accepted once before the device reports the hangup.
    int reads = 0;
    for (int i = 0; i < 100; ++i) {
        if (com.ReadByte() >= 0)
            ++reads;
        com.SendByte(0x20);
    }
    EXPECT_LE(reads, 3);
    EXPECT_FALSE(com.isOpen());
    EXPECT_EQ(com.ReadByte(), -1);
    EXPECT_EQ(com.SendByte(0x20), -1);
    EXPECT_EQ(countLost(), 1);
    EXPECT_EQ(com.lastError().kind, pb::DeviceErrorKind::Lost);

    com.CloseComPort();
    EXPECT_EQ(messages().last(), "Comport closed by software.");
    EXPECT_EQ(countLost(), 1);
}

TEST_F(DatacomTest, HangupNoticedFirstByTheTicksWriteFailsTheLine)
{
    ASSERT_EQ(openDefault(com), 0);
    pty.closeMaster();
    EXPECT_EQ(com.SendByte(0x30), 0);
    com.Tick();
    EXPECT_FALSE(com.isOpen());
    EXPECT_EQ(com.ReadByte(), -1);
    EXPECT_EQ(countLost(), 1);
}

TEST_F(DatacomTest, HangupWhileTheEventLoopRunsClosesThePort)
{
    ASSERT_EQ(openDefault(com), 0);
    pty.closeMaster();
    QDeadlineTimer deadline(kWaitMs);
    while (com.isOpen() && !deadline.hasExpired())
        QTest::qWait(5);
    EXPECT_FALSE(com.isOpen());
    QTest::qWait(20); // more loop turns find nothing left to report
    EXPECT_EQ(countLost(), 1);
    EXPECT_EQ(com.ReadByte(), -1);
    EXPECT_EQ(com.SendByte(1), -1);
    EXPECT_EQ(countLost(), 1);
}

TEST_F(DatacomTest, ReplacedDeviceOpensAfterALoss)
{
    ASSERT_EQ(openDefault(com), 0);
    pty.closeMaster();
    EXPECT_EQ(com.ReadByte(), -1);
    ASSERT_FALSE(com.isOpen());

    pbtest::PseudoTerminal replug;
    ASSERT_TRUE(replug.isValid());
    device.point(replug.slavePath());
    com.CloseComPort();
    EXPECT_EQ(openDefault(com), 0);
    ASSERT_TRUE(replug.write("k"));
    EXPECT_EQ(receive(1), "k");
}

TEST_F(DatacomTest, LinkRepointedToANewDeviceComesBackByItselfEvenAfterASave)
{
    const QString link = dir.filePath("by-id-unit");
    ASSERT_TRUE(QFile::link(pty.slavePath(), link));
    device.point(link);
    ASSERT_EQ(openDefault(com), 0);
    caption.clear();

    pty.closeMaster();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !com.isOpen(); }, kWaitMs));
    secondsPass(2); // failed tries on the dead device stay silent
    EXPECT_EQ(countLost(), 1);
    EXPECT_EQ(countBack(), 0);
    // The settings dialog's Save closes the port and opens it again: while
    // the device is away that fails, and the waiting for it goes on.
    com.CloseComPort();
    EXPECT_EQ(openDefault(com), -1);

    pbtest::PseudoTerminal replug;
    ASSERT_TRUE(replug.isValid());
    ASSERT_TRUE(QFile::remove(link));
    ASSERT_TRUE(QFile::link(replug.slavePath(), link));
    ASSERT_TRUE(backWithin(2));
    EXPECT_EQ(countBack(), 1);
    EXPECT_EQ(messages().last(), "Comport back: Serial Port: 1 19200,N,8,1");
    EXPECT_EQ(caption, "Serial Port: 1 19200,N,8,1");
    ASSERT_TRUE(replug.write("k"));
    EXPECT_EQ(receive(1), "k");
    EXPECT_EQ(com.SendByte('m'), 0);
    com.Tick();
    EXPECT_EQ(replug.read(1), "m");
}

TEST_F(DatacomTest, ClosedByTheUserOrNeverOpenedIsNotRelinked)
{
    device.point(dir.filePath("not-yet"));
    EXPECT_EQ(openDefault(com), -1);
    device.point(pty.slavePath());
    secondsPass(2);
    EXPECT_FALSE(com.isOpen());

    ASSERT_EQ(openDefault(com), 0);
    com.CloseComPort();
    secondsPass(2);
    EXPECT_FALSE(com.isOpen());
    EXPECT_EQ(countBack(), 0);
}

// A serial device server: the same bytes, a connection instead of a port.
TEST_F(DatacomTest, DeviceServerCarriesTheLineAndIsReconnectedAfterADrop)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const quint16 port = server.serverPort();
    device.point(QStringLiteral("tcp://127.0.0.1:%1").arg(port));
    ASSERT_EQ(openDefault(com), 0);
    EXPECT_EQ(messages(), QStringList{ "Com: 1 opened with: 19200,N,8,1" });
    EXPECT_EQ(caption, "Serial Port: 1 19200,N,8,1");
    ASSERT_TRUE(server.waitForNewConnection(kWaitMs));
    std::unique_ptr<QTcpSocket> client(server.nextPendingConnection());

    client->write(everyByteValue());
    ASSERT_TRUE(client->waitForBytesWritten(kWaitMs));
    EXPECT_EQ(receive(256), everyByteValue());
    for (int v = 0; v < 256; ++v)
        ASSERT_EQ(com.SendByte(static_cast<int16_t>(v)), 0);
    com.Tick();
    QByteArray sent;
    ASSERT_TRUE(QTest::qWaitFor([&] { sent += client->readAll(); return sent.size() >= 256; },
                                kWaitMs));
    EXPECT_EQ(sent, everyByteValue());

    // The server goes away for a while, then listens again on its port.
    client->close();
    server.close();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !com.isOpen(); }, kWaitMs));
    secondsPass(2);
    EXPECT_EQ(com.lastError().kind, pb::DeviceErrorKind::ClosedByPeer);
    EXPECT_EQ(countLost(), 1);
    EXPECT_EQ(countBack(), 0);
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, port));
    ASSERT_TRUE(backWithin(3));
    ASSERT_TRUE(server.hasPendingConnections() || server.waitForNewConnection(kWaitMs));
    EXPECT_EQ(countBack(), 1);
    EXPECT_EQ(messages().last(), "Comport back: Serial Port: 1 19200,N,8,1");
    EXPECT_FALSE(com.lastError().failed());
    client.reset(server.nextPendingConnection());
    client->write("z");
    ASSERT_TRUE(client->waitForBytesWritten(kWaitMs));
    EXPECT_EQ(receive(1), "z");
}

TEST_F(DatacomTest, DeviceServerThatCannotBeReachedFailsLikeAMissingPort)
{
    QTcpServer unused;
    ASSERT_TRUE(unused.listen(QHostAddress::LocalHost));
    const quint16 nobodyListens = unused.serverPort();
    unused.close();
    using Kind = pb::DeviceErrorKind;
    for (const auto& [name, kind] : { std::pair(QStringLiteral("tcp://127.0.0.1:%1").arg(nobodyListens), Kind::Refused),
                                      std::pair(QStringLiteral("tcp://127.0.0.1:0"), Kind::Missing),
                                      std::pair(QStringLiteral("tcp://:4001"), Kind::Missing) }) {
        SCOPED_TRACE(name.toStdString());
        const qsizetype before = messages().size();
        device.point(name);
        EXPECT_EQ(openDefault(com), -1);
        EXPECT_FALSE(com.isOpen());
        EXPECT_EQ(messages().size(), before + 1);
        EXPECT_EQ(messages().last(), "Error opening Comport:  1");
        EXPECT_EQ(caption, "Serial Port: ");
        EXPECT_EQ(com.lastError().kind, kind);
    }
}

TEST_F(DatacomTest, DeviceNameHookReplacesTheEnvironment)
{
    device.point(dir.filePath("not-this-one"));
    com.deviceName = [this](int portNumber) {
        return portNumber == 1 ? pty.slavePath() : QString();
    };
    ASSERT_EQ(openDefault(com), 0);
    ASSERT_TRUE(pty.write("h"));
    EXPECT_EQ(receive(1), "h");
}

} // namespace

namespace {

// Links named like adapters, each leading to a pseudo-terminal, so that
// the automatic numbering takes them for USB adapters; and their links by
// the adapter's name, as /dev/serial/by-id holds them.
struct FakeAdapters {
    explicit FakeAdapters(const QString& folder) : folder_(folder) { QDir(folder).mkdir("by-id"); }
    pb::PortDescription plug(const char* name, const char* id, const pbtest::PseudoTerminal& pty)
    {
        const QString location = folder_ + '/' + name;
        const QString byId = folder_ + "/by-id/" + id;
        for (const QString& link : {location, byId}) {
            QFile::remove(link);
            EXPECT_TRUE(QFile::link(pty.slavePath(), link));
        }
        return {location, QString::fromLatin1(id), QString(), QString()};
    }
    QString folder_;
};

class LostAdapter : public DatacomTest, public ::testing::WithParamInterface<bool> {};

TEST_P(LostAdapter, IsReopenedOnlyWhenItIsBack)
{
    const bool namedByPath = GetParam(); // else the automatic numbering names it
    FakeAdapters adapters(dir.path());
    QList<pb::PortDescription> present{adapters.plug("ttyUSB0", "usb-A", pty)};
    device.point(namedByPath ? present.first().systemLocation : QString());
    com.adapterLinks = dir.filePath("by-id");
    com.presentPorts = [&] { return present; };
    com.deviceName = [&](int number) { return pb::ResolvePort(number, state.folder, com.presentPorts); };
    ASSERT_EQ(openDefault(com), 0);

    // The unit's adapter goes; another one takes its place and name.
    pbtest::PseudoTerminal other;
    pty.closeMaster();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !com.isOpen(); }, kWaitMs));
    present = {adapters.plug("ttyUSB0", "usb-B", other)};
    secondsPass(3);
    EXPECT_FALSE(com.isOpen()) << "the other adapter is not the unit's";
    EXPECT_EQ(countBack(), 0);

    // The unit's adapter comes back under another name.
    pbtest::PseudoTerminal replug;
    present << adapters.plug("ttyUSB2", "usb-A", replug);
    ASSERT_TRUE(backWithin(2));
    EXPECT_EQ(countBack(), 1);
    EXPECT_EQ(com.SendByte('m'), 0);
    com.Tick();
    EXPECT_EQ(replug.read(1), "m");
}

INSTANTIATE_TEST_SUITE_P(NamedAutomaticallyOrByPath, LostAdapter, ::testing::Bool());

// A server whose accept queue is full leaves a connection attempt hanging
// until it gives up.
class FullServer {
public:
    FullServer()
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = loopback(0);
        socklen_t size = sizeof address;
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), size) == 0 && ::listen(listener_, 0) == 0
            && ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            port_ = ntohs(address.sin_port);
    }
    ~FullServer()
    {
        ::close(waiting_);
        ::close(listener_);
    }
    quint16 port() const { return port_; }
    int accept() { return ::accept(listener_, nullptr, nullptr); }
    // With a backlog of 0 one connection that is never accepted fills it.
    void fill()
    {
        waiting_ = ::socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in address = loopback(port_);
        ::connect(waiting_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    }
    void drain() { ::close(accept()); }

private:
    static sockaddr_in loopback(quint16 port)
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        return address;
    }

    int listener_ = -1;
    int waiting_ = -1;
    quint16 port_ = 0;
};

// A server that takes no connection for now leaves the attempt hanging:
// the port tries again in the background, and the tick goes on meanwhile.
TEST_F(DatacomTest, DeviceServerIsReachedAgainInTheBackground)
{
    FullServer server;
    ASSERT_NE(server.port(), 0);
    device.point(QStringLiteral("tcp://127.0.0.1:%1").arg(server.port()));
    ASSERT_EQ(openDefault(com), 0);
    const int unit = server.accept();
    ASSERT_GE(unit, 0);
    server.fill();
    ::close(unit);
    ASSERT_TRUE(QTest::qWaitFor([this] { return countLost() == 1; }, kWaitMs));

    // One try, started while nothing gets through; a blocking one would
    // give up before returning.
    secondsPass(1);
    EXPECT_FALSE(com.isOpen());
    server.drain();
    ASSERT_TRUE(QTest::qWaitFor([this] { return com.isOpen(); }, 3 * kWaitMs));
    EXPECT_EQ(countBack(), 1);
}

} // namespace
