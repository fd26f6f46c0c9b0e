#include "link/devices/unix/SerialOpenFailure.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace pb {

namespace {

// Where the serial layer looks for a place for its lock file, in its order.
constexpr const char* kLockFolders[] = {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
                                        "/tmp",      "/var/tmp",   "/var/lock/lockdev", "/run/lock"};

DeviceError fromErrno(int error)
{
    DeviceErrorKind kind = DeviceErrorKind::Other;
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        kind = DeviceErrorKind::Missing;
        break;
    case EACCES:
    case EPERM:
        kind = DeviceErrorKind::Forbidden;
        break;
    case EBUSY:
        kind = DeviceErrorKind::Busy;
        break;
    default:
        break;
    }
    return {kind, QString::fromLocal8Bit(std::strerror(error))};
}

// Root opens a port that another program holds exclusively; it is busy all
// the same.
bool heldExclusively(int descriptor)
{
#ifdef TIOCGEXCL
    int exclusive = 0;
    return ::ioctl(descriptor, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
#else
    (void)descriptor;
    return false;
#endif
}

// A lock file names its holder's process on its first line, as Qt's lock
// files and the older ten-column ones do; it holds while that one runs.
bool lockHeld(const QString& lockFile)
{
    QFile file(lockFile);
    if (lockFile.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    bool number = false;
    const qint64 holder = file.readLine().trimmed().toLongLong(&number);
    return number && holder > 0 && (::kill(pid_t(holder), 0) == 0 || errno == EPERM);
}

// As the serial layer names the device: a bare name lies below /dev.
QString systemLocation(const QString& path)
{
    return path.startsWith(u'/') ? path : QStringLiteral("/dev/") + path;
}

} // namespace

SerialOpenCheck::SerialOpenCheck(const QString& path)
{
    descriptor_ = ::open(systemLocation(path).toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor_ < 0) {
        error_ = fromErrno(errno);
        return;
    }
    termios line{};
    if (::tcgetattr(descriptor_, &line) != 0)
        error_ = {DeviceErrorKind::NotSerial, fromErrno(errno).systemText};
    else if (heldExclusively(descriptor_))
        error_ = fromErrno(EBUSY);
}

SerialOpenCheck::~SerialOpenCheck()
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

DeviceError SerialLayerFailure(const QString& path, QSerialPort::SerialPortError error, const QString& text)
{
    if (error == QSerialPort::PermissionError && lockHeld(SerialLockFilePath(path)))
        return {DeviceErrorKind::Busy, text};
    if (error == QSerialPort::DeviceNotFoundError)
        return {DeviceErrorKind::Missing, text};
    return {DeviceErrorKind::Other, text};
}

QString SerialLockFilePath(const QString& path)
{
    QString name = systemLocation(path);
    if (name.startsWith(QStringLiteral("/dev/")))
        name.remove(0, 5);
    const QString fileName = QStringLiteral("/LCK..") + name.replace(u'/', u'_');
    for (const char* folder : kLockFolders) {
        const QFileInfo folderInfo(QString::fromLatin1(folder));
        const QString lockFile = folderInfo.filePath() + fileName;
        if (folderInfo.isReadable() && (QFile::exists(lockFile) || folderInfo.isWritable()))
            return lockFile;
    }
    return {};
}

} // namespace pb
