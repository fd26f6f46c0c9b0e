// The kind a serial port gives from its own failed open, on files and pseudo-terminals.
#include "link/devices/unix/SerialOpenFailure.h"
#include "link/devices/unix/SerialPortDevice.h"

#include "support/PseudoTerminal.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cstring>
#include <sys/ioctl.h>
#include <sys/stat.h>

namespace {

using Kind = pb::DeviceErrorKind;

enum class Setup { Missing, Forbidden, PlainFile, HeldExclusively, LockedByAnother, Free };

struct Row {
    const char* name;
    Setup setup;
    Kind kind;
    int systemError; // whose words the device gives; 0: the serial layer's, or none
};
void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

class SerialOpenFailure : public ::testing::TestWithParam<Row> {};

TEST_P(SerialOpenFailure, IsToldApartByTheDevice)
{
    const Row& row = GetParam();
    QTemporaryDir dir;
    pbtest::PseudoTerminal pty;
    ASSERT_TRUE(dir.isValid() && pty.isValid());
    ASSERT_EQ(::chmod(dir.path().toLocal8Bit().constData(), 0755), 0); // for the user nobody
    const QString path = row.setup < Setup::HeldExclusively ? dir.filePath(QStringLiteral("port")) : pty.slavePath();
    QFile file(path);
    if (row.setup == Setup::Forbidden || row.setup == Setup::PlainFile) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && (row.setup == Setup::PlainFile || file.setPermissions({})));
    }
    // Another program's hold: the exclusive flag on its descriptor, or the lock file of a process that runs.
    const int holding = ::open(pty.slavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(holding, 0);
    ASSERT_TRUE(row.setup != Setup::HeldExclusively || ::ioctl(holding, TIOCEXCL) == 0);
    QProcess holder;
    QFile lock(pb::SerialLockFilePath(path));
    if (row.setup == Setup::LockedByAnother) {
        holder.start(QStringLiteral("sleep"), {QStringLiteral("60")});
        ASSERT_TRUE(holder.waitForStarted() && lock.open(QIODevice::NewOnly));
        // As Qt's lock files name their holder: its process and program.
        const QString pid = QString::number(holder.processId());
        const QString program = QFileInfo(QFile::symLinkTarget("/proc/" + pid + "/exe")).fileName();
        lock.write((pid + '\n' + program + "\n\n").toLocal8Bit());
        lock.close();
    }
    // Root opens any file: the forbidden one is opened as the user nobody.
    const bool asNobody = row.setup == Setup::Forbidden && ::geteuid() == 0;
    ASSERT_TRUE(!asNobody || ::seteuid(65534) == 0);
    pb::SerialPortDevice device(path);
    const pb::DeviceError error = device.open({});
    ASSERT_TRUE(!asNobody || ::seteuid(0) == 0);
    if (holder.processId() > 0) {
        lock.remove();
        holder.kill();
        holder.waitForFinished();
    }
    ::close(holding);

    EXPECT_EQ(error.kind, row.kind);
    EXPECT_EQ(device.isOpen(), row.kind == Kind::None);
    if (row.systemError != 0) {
        EXPECT_EQ(error.systemText, QString::fromLocal8Bit(std::strerror(row.systemError)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ports, SerialOpenFailure,
    ::testing::Values(Row{"Missing", Setup::Missing, Kind::Missing, ENOENT},
                      Row{"Forbidden", Setup::Forbidden, Kind::Forbidden, EACCES},
                      Row{"PlainFile", Setup::PlainFile, Kind::NotSerial, ENOTTY},
                      Row{"HeldExclusively", Setup::HeldExclusively, Kind::Busy, EBUSY},
                      Row{"LockedByAnother", Setup::LockedByAnother, Kind::Busy, 0},
                      Row{"Free", Setup::Free, Kind::None, 0}),
    [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

} // namespace
