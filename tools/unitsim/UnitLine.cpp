#include "unitsim/UnitLine.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace pb::unitsim {

namespace {

std::string SystemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

// Raw, so that no byte value is changed or echoed on its way.
bool MakeRaw(int fd)
{
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0)
        return false;
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B19200);
    ::cfsetospeed(&settings, B19200);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
    return ::tcsetattr(fd, TCSANOW, &settings) == 0;
}

} // namespace

UnitLine UnitLine::PseudoTerminal(std::string& error)
{
    UnitLine line;
    line.fd_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (line.fd_ < 0) {
        error = SystemError("posix_openpt");
        return line;
    }
    char name[256];
    if (::grantpt(line.fd_) != 0 || ::unlockpt(line.fd_) != 0 || ::ptsname_r(line.fd_, name, sizeof name) != 0
        || !MakeRaw(line.fd_)) {
        error = SystemError("pseudo-terminal");
        line.close();
        return line;
    }
    line.pseudoTerminal_ = true;
    line.serialSide_ = name;
    // Opened and closed once, the master reports a hang-up until the program
    // opens the serial side: so the unit knows whether anybody listens.
    const int serial = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (serial >= 0)
        ::close(serial);
    return line;
}

UnitLine UnitLine::Device(const std::string& path, std::string& error)
{
    UnitLine line;
    line.fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (line.fd_ < 0) {
        error = SystemError(path);
        return line;
    }
    if (!MakeRaw(line.fd_)) {
        error = SystemError(path);
        line.close();
        return line;
    }
    line.serialSide_ = path;
    return line;
}

UnitLine::UnitLine(UnitLine&& other) noexcept
{
    *this = std::move(other);
}

UnitLine& UnitLine::operator=(UnitLine&& other) noexcept
{
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        pseudoTerminal_ = other.pseudoTerminal_;
        serialSide_ = std::move(other.serialSide_);
    }
    return *this;
}

UnitLine::~UnitLine()
{
    close();
}

bool UnitLine::peerPresent() const
{
    pollfd entry{fd_, POLLIN, 0};
    return ::poll(&entry, 1, 0) >= 0 && !(entry.revents & (POLLHUP | POLLERR));
}

void UnitLine::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool MakeLink(const std::string& target, const std::string& link, std::string& error)
{
    struct stat info{};
    if (::lstat(link.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            error = link + " exists and is no link";
            return false;
        }
        ::unlink(link.c_str());
    }
    if (::symlink(target.c_str(), link.c_str()) != 0) {
        error = SystemError(link);
        return false;
    }
    return true;
}

} // namespace pb::unitsim
