#pragma once
// A pseudo-terminal pair for tests of serial code: the program under test
// opens the slave path as its port, the test plays the far end on the master.
#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace pbtest {

class PseudoTerminal {
public:
    static constexpr int kDefaultWaitMs = 2000;

    PseudoTerminal()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master_ < 0)
            return;
        char name[256];
        if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0
            || ::ptsname_r(master_, name, sizeof name) != 0) {
            closeMaster();
            return;
        }
        slavePath_ = QString::fromLocal8Bit(name);
        // Raw, so that no byte value is translated or swallowed on its way.
        termios settings{};
        if (::tcgetattr(master_, &settings) == 0) {
            ::cfmakeraw(&settings);
            ::tcsetattr(master_, TCSANOW, &settings);
        }
    }
    ~PseudoTerminal() { closeMaster(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool isValid() const { return master_ >= 0; }
    int masterFd() const { return master_; }
    QString slavePath() const { return slavePath_; }

    // The line settings of the slave side as its user left them.
    termios slaveSettings() const
    {
        termios settings{};
        ::tcgetattr(master_, &settings);
        return settings;
    }

    // Writes every byte, waiting at most `timeoutMs` for room.
    bool write(const QByteArray& bytes, int timeoutMs = kDefaultWaitMs)
    {
        QDeadlineTimer deadline(timeoutMs);
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(master_, bytes.constData() + done, bytes.size() - done);
            if (n > 0)
                done += n;
            else if (n < 0 && errno != EAGAIN && errno != EINTR)
                return false;
            else if (!waitFor(POLLOUT, deadline))
                return false;
        }
        return true;
    }

    // Reads until `count` bytes arrived or `timeoutMs` passed; returns what came.
    QByteArray read(int count, int timeoutMs = kDefaultWaitMs)
    {
        QDeadlineTimer deadline(timeoutMs);
        QByteArray bytes;
        while (bytes.size() < count) {
            char buffer[512];
            const ssize_t n = ::read(master_, buffer, std::min<qsizetype>(sizeof buffer,
                                                                          count - bytes.size()));
            if (n > 0)
                bytes.append(buffer, n);
            else if (n < 0 && errno != EAGAIN && errno != EINTR)
                break; // the slave side is closed
            else if (!waitFor(POLLIN, deadline))
                break;
        }
        return bytes;
    }

    // Hangs the line up, as a pulled adapter does.
    void closeMaster()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    bool waitFor(short events, const QDeadlineTimer& deadline) const
    {
        pollfd fd{ master_, events, 0 };
        const int left = static_cast<int>(deadline.remainingTime());
        return left > 0 && ::poll(&fd, 1, left) > 0 && (fd.revents & events);
    }

    int master_ = -1;
    QString slavePath_;
};

} // namespace pbtest
