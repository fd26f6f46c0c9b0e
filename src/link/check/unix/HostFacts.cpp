#include "link/check/HostFacts.h"

#include "link/devices/unix/SerialOpenFailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

namespace pb {

namespace {

QString FirstLine(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readLine()).trimmed();
}

QString CommandOf(qint64 pid)
{
    return FirstLine(QStringLiteral("/proc/%1/comm").arg(pid));
}

// The USB device's folder holds the adapter's names; the tty's folder sits
// a few levels below it.
void ReadUsbNames(const QString& ttyName, DeviceFacts& facts)
{
    QString folder = QFileInfo(QStringLiteral("/sys/class/tty/%1/device").arg(ttyName)).canonicalFilePath();
    for (int up = 0; up < 4 && !folder.isEmpty() && folder != QStringLiteral("/"); ++up) {
        if (QFileInfo::exists(folder + QStringLiteral("/idVendor"))) {
            facts.maker = FirstLine(folder + QStringLiteral("/manufacturer"));
            facts.product = FirstLine(folder + QStringLiteral("/product"));
            facts.serialNumber = FirstLine(folder + QStringLiteral("/serial"));
            return;
        }
        folder = QFileInfo(folder).absolutePath();
    }
}

} // namespace

DeviceFacts FactsOf(const QString& device)
{
    DeviceFacts facts;
    const QFileInfo info(device);
    facts.exists = info.exists();
    if (!facts.exists)
        return facts;
    const QString real = info.canonicalFilePath();
    if (info.isSymLink())
        facts.linkTarget = real;
    const QString name = QFileInfo(real).fileName();
    ReadUsbNames(name, facts);
    bool number = false;
    const int latency = FirstLine(QStringLiteral("/sys/class/tty/%1/device/latency_timer").arg(name)).toInt(&number);
    if (number)
        facts.latencyTimerMs = latency;
    facts.modemClass = name.startsWith(QStringLiteral("ttyACM"));
    return facts;
}

// Every process's open files that this user may look at, then the lock
// file the serial layer leaves.
std::optional<PortHolder> HolderOf(const QString& device)
{
    struct stat wanted {};
    if (stat(device.toLocal8Bit().constData(), &wanted) != 0 || !S_ISCHR(wanted.st_mode))
        return std::nullopt;
    const qint64 self = getpid();
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : processes) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (!number || pid == self)
            continue;
        const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
        for (const QString& fd : QDir(fds).entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
            struct stat open {};
            if (stat((fds + u'/' + fd).toLocal8Bit().constData(), &open) == 0 && S_ISCHR(open.st_mode)
                && open.st_rdev == wanted.st_rdev)
                return PortHolder{pid, CommandOf(pid), false};
        }
    }
    bool number = false;
    const qint64 pid = FirstLine(SerialLockFilePath(QFileInfo(device).canonicalFilePath())).toLongLong(&number);
    if (number && pid > 0 && pid != self && QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)))
        return PortHolder{pid, CommandOf(pid), true};
    return std::nullopt;
}

bool ModemManagerRuns()
{
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : processes) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (number && CommandOf(pid) == QStringLiteral("ModemManager"))
            return true;
    }
    return false;
}

QString HowToFindHolder(const QString& device)
{
    return QStringLiteral("sudo fuser -v ") + device;
}

QString AccessAdvice()
{
    return QStringLiteral("sudo usermod -aG dialout $USER, then log in again");
}

} // namespace pb
