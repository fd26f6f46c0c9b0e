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
        folder.path = dir.filePath("own");
        folder.shipped = dir.filePath("shipped");
    }

    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
    const QByteArray shipped = "; the site's adapters\r\n[ports]\r\nCom1=/dev/ttyUSB0\r\nCom2=/dev/ttyUSB1\r\n";
    write(shippedFile(), shipped);

    EXPECT_TRUE(pb::WritePortEntry(folder, {2, QString()}));
    EXPECT_TRUE(pb::WritePortEntry(folder, {5, " tcp://10.0.0.20:4001 "}));
    EXPECT_EQ(pb::ReadPortEntries(folder), (pb::PortEntries{{1, "/dev/ttyUSB0"}, {5, "tcp://10.0.0.20:4001"}}));
    EXPECT_EQ(read(folder.portsFile()), "; the site's adapters\r\n[ports]\r\nCom1=/dev/ttyUSB0\r\nCom5=tcp://10.0.0.20:4001\r\n");

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

// A file a person wrote, saved by an editor that puts a byte-order mark
// first: each write changes its one line, and values mean what they say.
TEST_F(PortsFileTest, AnEntryIsWrittenInItsOwnLineAndEveryOtherLineStays)
{
    const QByteArray before = "\xEF\xBB\xBF; test bench\r\n[general]\r\nCom3 = /dev/general\r\n\r\n[Ports]\r\n"
                              "# left adapter\r\nCOM3 = C:\\dev\\x\r\nCom4=/dev/a,b\r\nno entry here\r\n"
                              "Com6=\"/dev/with blank\"\r\n; Com9=/dev/ttyS8\r\n\r\n[other]\r\nCom8=/dev/y\r\n";
    write(folder.portsFile(), before);
    EXPECT_EQ(pb::ReadPortEntries(folder),
              (pb::PortEntries{{3, "C:\\dev\\x"}, {4, "/dev/a,b"}, {6, "/dev/with blank"}}));

    for (const pb::PortEntry& entry : {pb::PortEntry{3, "/dev/ttyUSB0"}, pb::PortEntry{4, QString()},
                                       pb::PortEntry{7, " tcp://10.0.0.20:4001 "}, pb::PortEntry{6, "\"q\""}}) {
        const pb::WriteOutcome outcome = pb::WritePortEntry(folder, entry);
        EXPECT_TRUE(outcome.ok()) << outcome.failure.toStdString();
    }
    EXPECT_EQ(read(folder.portsFile()),
              "\xEF\xBB\xBF; test bench\r\n[general]\r\nCom3 = /dev/general\r\n\r\n[Ports]\r\n"
              "# left adapter\r\nCom3=/dev/ttyUSB0\r\nno entry here\r\n"
              "Com6=\"\"q\"\"\r\nCom7=tcp://10.0.0.20:4001\r\n; Com9=/dev/ttyS8\r\n\r\n[other]\r\nCom8=/dev/y\r\n");
    EXPECT_EQ(pb::ReadPortEntries(folder),
              (pb::PortEntries{{3, "/dev/ttyUSB0"}, {6, "\"q\""}, {7, "tcp://10.0.0.20:4001"}}));
}

TEST_F(PortsFileTest, AFileWithoutThePortsSectionGetsItAtTheEnd)
{
    write(folder.portsFile(), "[general]\nx=1");
    EXPECT_TRUE(pb::WritePortEntry(folder, {2, "/dev/ttyACM0"}));
    EXPECT_EQ(read(folder.portsFile()), "[general]\r\nx=1\r\n\r\n[ports]\r\nCom2=/dev/ttyACM0\r\n");
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
