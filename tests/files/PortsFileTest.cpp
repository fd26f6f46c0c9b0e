// ports.ini beside the configuration file: the program's own copy over the
// one shipped beside the executable, and written only to its own folder.
#include "files/PortsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class PortsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath("own") && QDir(dir.path()).mkpath("shipped"));
        folder = {dir.filePath("own"), dir.filePath("shipped")};
    }

    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString shippedFile() const { return folder.shipped + "/ports.ini"; }

    QTemporaryDir dir;
    pb::ProgramFolder folder;
};

TEST_F(PortsFileTest, TheOwnFileHidesTheShippedOneOnceItExists)
{
    write(shippedFile(), "[ports]\r\nCom1=/dev/ttyUSB0\r\ncom2=tcp://10.0.0.20:4001\r\n");
    EXPECT_EQ(pb::ReadPortEntries(folder),
              (pb::PortEntries{{1, "/dev/ttyUSB0"}, {2, "tcp://10.0.0.20:4001"}}));

    write(folder.portsFile(),
          "[general]\nCom9=/dev/ttyS8\n[ports]\nCOM3=/dev/serial/by-id/usb-FTDI-if00-port0\nCom4=\nPort5=/dev/x\nCom0=/dev/y\n");
    EXPECT_EQ(pb::ReadPortEntries(folder), (pb::PortEntries{{3, "/dev/serial/by-id/usb-FTDI-if00-port0"}}))
        << "[ports] only, Com<n> in any case, empty devices and other keys ignored";
}

TEST_F(PortsFileTest, TheFirstOwnCopyKeepsTheShippedEntriesAndLeavesTheShippedFile)
{
    const QByteArray shipped = "[ports]\r\nCom1=/dev/ttyUSB0\r\nCom2=/dev/ttyUSB1\r\n";
    write(shippedFile(), shipped);

    EXPECT_TRUE(pb::WritePortEntry(folder, {2, QString()}));
    EXPECT_TRUE(pb::WritePortEntry(folder, {5, " tcp://10.0.0.20:4001 "}));
    EXPECT_EQ(pb::ReadPortEntries(folder), (pb::PortEntries{{1, "/dev/ttyUSB0"}, {5, "tcp://10.0.0.20:4001"}}));
    EXPECT_TRUE(QFileInfo(folder.portsFile()).isFile());

    QFile file(shippedFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), shipped);
}

TEST_F(PortsFileTest, AnEntryInAnyCaseIsReplacedByOne)
{
    write(folder.portsFile(), "[ports]\nCOM3=/dev/ttyUSB0\ncom3=/dev/ttyUSB1\n");
    const pb::WriteOutcome outcome = pb::WritePortEntry(folder, {3, "/dev/ttyACM0"});
    EXPECT_TRUE(outcome.ok()) << outcome.failure.toStdString();
    EXPECT_EQ(outcome.path, folder.portsFile());
    EXPECT_EQ(pb::ReadPortEntries(folder), (pb::PortEntries{{3, "/dev/ttyACM0"}}));
    QFile file(folder.portsFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("Com3="), 1);
}

TEST_F(PortsFileTest, AnUnchangedEntryWritesNothing)
{
    EXPECT_TRUE(pb::WritePortEntry(folder, {4, QString()}));
    EXPECT_FALSE(QFileInfo::exists(folder.portsFile())) << "no file for nothing";
    write(shippedFile(), "[ports]\nCom4=/dev/ttyUSB0\n");
    EXPECT_TRUE(pb::WritePortEntry(folder, {4, "/dev/ttyUSB0"}));
    EXPECT_FALSE(QFileInfo::exists(folder.portsFile()));
}

TEST_F(PortsFileTest, AFolderInTheWaySaysWhy)
{
    ASSERT_TRUE(QDir().mkdir(folder.portsFile()));
    const pb::WriteOutcome outcome = pb::WritePortEntry(folder, {1, "/dev/ttyUSB0"});
    EXPECT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.path, folder.portsFile());
    EXPECT_FALSE(outcome.failure.isEmpty());
}

} // namespace
