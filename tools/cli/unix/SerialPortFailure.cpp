#include "PortFailure.h"

#include <QSerialPort>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace pb::cli {

namespace {

QString SystemText(int error)
{
    QString text = QString::fromLocal8Bit(std::strerror(error));
    if (error == EACCES)
        text += QStringLiteral(" (serial devices belong to the group dialout: sudo usermod -aG dialout $USER,"
                               " then log in again)");
    return text;
}

// Root opens a port that another program holds exclusively; it is busy all
// the same.
bool HeldExclusively(int fd)
{
#ifdef TIOCGEXCL
    int exclusive = 0;
    return ::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
#else
    (void)fd;
    return false;
#endif
}

// Opens the device as the serial layer does, without taking it.
int ErrorOpening(const QString& device)
{
    const int fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = 0;
    termios line{};
    if (::tcgetattr(fd, &line) != 0)
        error = errno; // no serial line, e.g. a plain file
    else if (HeldExclusively(fd))
        error = EBUSY;
    ::close(fd);
    return error;
}

} // namespace

QString WhySerialPortDidNotOpen(const QString& device)
{
    const int error = ErrorOpening(device);
    if (error != 0)
        return SystemText(error);
    // The device opens: the serial layer's own reason, such as its lock.
    QSerialPort probe(device);
    if (!probe.open(QIODevice::ReadWrite))
        return probe.errorString();
    return QStringLiteral("it failed to open, and opens now");
}

} // namespace pb::cli
