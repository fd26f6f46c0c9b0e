// pagerbench-unitsim: a virtual unit on a pseudo-terminal, for trying,
// teaching and testing the program without hardware.
//   pagerbench-unitsim --type 3 [--link /tmp/unit] [--fault late] ...
//   pagerbench-unitsim --type 3 --tcp 4001     (a serial device server)
// The first line on stdout names the serial side: "pty: /dev/pts/N", or
// "tcp: 127.0.0.1:PORT".
#include "unitsim/CommandLine.h"
#include "unitsim/TcpUnitLine.h"
#include "unitsim/UnitLine.h"
#include "unitsim/VirtualUnit.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

using pb::unitsim::Bytes;
using pb::unitsim::Millis;

// However far off the unit's next event is, the loop looks round this often.
constexpr Millis kLongestWaitMs = 1000;
// While nobody has the serial side open, the loop looks for a newcomer this often.
constexpr Millis kPeerLookMs = 100;

Millis Now()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// SIGINT, SIGTERM and SIGHUP arrive as readable bytes on a descriptor, so the
// loop ends cleanly and removes its link.
int SignalDescriptor()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    if (sigprocmask(SIG_BLOCK, &signals, nullptr) != 0)
        return -1;
    return signalfd(-1, &signals, SFD_CLOEXEC);
}

// False when the line has gone.
bool WriteSome(int fd, Bytes& pending)
{
    const ssize_t n = ::write(fd, pending.data(), pending.size());
    if (n > 0)
        pending.erase(0, size_t(n));
    return n >= 0 || errno == EAGAIN || errno == EINTR;
}

// Everything waiting; false when the line has gone.
bool ReadAll(int fd, Bytes& received)
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            received.append(buffer, size_t(n));
            continue;
        }
        return n < 0 && (errno == EAGAIN || errno == EINTR);
    }
}

int Run(pb::unitsim::UnitLine& line, pb::unitsim::VirtualUnit& unit, int signals)
{
    bool listening = !line.isPseudoTerminal() || line.peerPresent();
    Bytes pending;
    for (;;) {
        const Millis now = Now();
        const Bytes said = unit.transmit(now);
        if (listening) // with nobody at the other end, the text is lost
            pending += said;
        if (listening && !pending.empty() && !WriteSome(line.fd(), pending))
            listening = false;
        if (unit.lineClosed() && pending.empty())
            return 0;

        Millis wait = std::clamp<Millis>(unit.nextEventAt(now) - now, 0, kLongestWaitMs);
        pollfd fds[2] = {{signals, POLLIN, 0}, {line.fd(), short(POLLIN | (pending.empty() ? 0 : POLLOUT)), 0}};
        if (!listening)
            wait = std::min(wait, kPeerLookMs);
        if (::poll(fds, listening ? 2 : 1, int(wait)) < 0 && errno != EINTR)
            return 1;
        if (fds[0].revents & POLLIN)
            return 0;
        if (!listening) {
            listening = line.peerPresent();
            if (listening)
                unit.lineOpened(Now());
            continue;
        }
        Bytes received;
        const bool open = (fds[1].revents & POLLIN) ? ReadAll(line.fd(), received) : true;
        if (!received.empty())
            unit.receive(received, Now());
        if (!open || (fds[1].revents & (POLLHUP | POLLERR))) {
            if (!line.isPseudoTerminal()) {
                std::fprintf(stderr, "pagerbench-unitsim: %s has gone\n", line.serialSide().c_str());
                return 1;
            }
            listening = false; // the program closed its port; wait for the next one
            pending.clear();
        }
    }
}

// The unit as a device server: Qt's event loop instead of poll, the same
// unit. A hung-up unit ends the connection and the program.
int RunOnTcp(pb::unitsim::TcpUnitLine& line, pb::unitsim::VirtualUnit& unit, int signals)
{
    QSocketNotifier stop(signals, QSocketNotifier::Read);
    QObject::connect(&stop, &QSocketNotifier::activated, qApp, &QCoreApplication::quit);
    QTimer nextEvent;
    nextEvent.setSingleShot(true);
    const auto speak = [&] {
        const Millis now = Now();
        line.write(QByteArray::fromStdString(unit.transmit(now)));
        if (unit.lineClosed()) {
            line.drop(true);
            QCoreApplication::quit();
            return;
        }
        nextEvent.start(int(std::clamp<Millis>(unit.nextEventAt(now) - now, 0, kLongestWaitMs)));
    };
    QObject::connect(&nextEvent, &QTimer::timeout, speak);
    QObject::connect(&line.server(), &QTcpServer::newConnection, [&] {
        if (!line.acceptNewcomer())
            return;
        unit.lineOpened(Now());
        QObject::connect(line.client(), &QTcpSocket::readyRead, line.client(), [&] {
            unit.receive(line.readAll().toStdString(), Now());
            speak();
        });
        speak(); // the timer learns of a greeting now due
    });
    speak();
    return QCoreApplication::exec();
}

int ServeOnTcp(int argc, char* argv[], const pb::unitsim::SimulatorOptions& options, int signals)
{
    QCoreApplication app(argc, argv);
    pb::unitsim::TcpUnitLine line;
    std::string error;
    if (!line.listen(quint16(options.tcpPort), error)) {
        std::fprintf(stderr, "pagerbench-unitsim: %s\n", error.c_str());
        return 1;
    }
    std::printf("tcp: 127.0.0.1:%d\n", int(line.port()));
    std::fflush(stdout);
    pb::unitsim::VirtualUnit unit(options.unit, Now());
    return RunOnTcp(line, unit, signals);
}

} // namespace

int main(int argc, char* argv[])
{
    pb::unitsim::SimulatorOptions options;
    const std::string problem = pb::unitsim::ParseCommandLine(argc, argv, options);
    if (!problem.empty() || options.help) {
        if (!problem.empty())
            std::fprintf(stderr, "pagerbench-unitsim: %s\n", problem.c_str());
        std::fputs(pb::unitsim::Usage().c_str(), problem.empty() ? stdout : stderr);
        return problem.empty() ? 0 : 2;
    }

    const int signals = SignalDescriptor();
    if (signals < 0) {
        std::perror("pagerbench-unitsim: signalfd");
        return 1;
    }
    if (options.tcpPort != 0) {
        const int status = ServeOnTcp(argc, argv, options, signals);
        ::close(signals);
        return status;
    }

    std::string error;
    pb::unitsim::UnitLine line = options.devicePath.empty() ? pb::unitsim::UnitLine::PseudoTerminal(error)
                                                            : pb::unitsim::UnitLine::Device(options.devicePath, error);
    if (!line.isOpen()) {
        std::fprintf(stderr, "pagerbench-unitsim: %s\n", error.c_str());
        return 1;
    }
    const bool linked = !options.linkPath.empty();
    if (linked && !pb::unitsim::MakeLink(line.serialSide(), options.linkPath, error)) {
        std::fprintf(stderr, "pagerbench-unitsim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s: %s\n", line.isPseudoTerminal() ? "pty" : "device", line.serialSide().c_str());
    std::fflush(stdout);

    pb::unitsim::VirtualUnit unit(options.unit, Now());
    const int status = Run(line, unit, signals);
    line.close();
    if (linked)
        ::unlink(options.linkPath.c_str());
    ::close(signals);
    return status;
}
