// Com 1 to 30 as pagerbench-cli ports lists them: the rule behind each,
// the port present behind it, the ports no number reaches; and looking
// leaves the remembered adapter numbers alone.
#include "QtPrinting.h"
#include "link/ports/AdapterNumbersFile.h"
#include "link/ports/PortMap.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace {

const pb::PortDescription kFirst{"/dev/ttyUSB0", "usb-FTDI_A10K3X-if00-port0", "FT232R USB UART", "A10K3X"};
const pb::PortDescription kSecond{"/dev/ttyUSB1", "usb-FTDI_B20L4Y-if00-port0", "FT232R USB UART", "B20L4Y"};

struct Expected {
    int number;
    pb::PortRule rule;
    QString device;
    QString presentAt; // the present port's location; empty when none is behind it
    QString adapterKey = {};
};

struct ListingCase {
    const char* name;
    std::vector<std::pair<int, QString>> environment;
    QByteArray portsFile;
    pb::AdapterNumbers remembered;
    QList<pb::PortDescription> present;
    std::vector<Expected> expected;
    QStringList unreached;
};

const QString kById = QStringLiteral("/dev/serial/by-id/");

const ListingCase kListings[] = {
    // The adapters' own numbers would be 1 and 2; the rules above take them.
    {"EnvironmentBeatsPortsFileBeatsAutomatic",
     {{1, kById + kSecond.byIdName}},
     "[ports]\r\nCom1=tcp://10.0.0.20:4001\r\nCom2=/dev/ttyUSB0\r\nCom5=tcp://10.0.0.21:4001\r\n",
     {},
     {kFirst, kSecond},
     {{1, pb::PortRule::Environment, kById + kSecond.byIdName, "/dev/ttyUSB1"},
      {2, pb::PortRule::PortsFile, "/dev/ttyUSB0", "/dev/ttyUSB0"},
      {5, pb::PortRule::PortsFile, "tcp://10.0.0.21:4001", ""},
      {3, pb::PortRule::Platform, pb::PlatformPortDevice(3), ""}},
     {}},
    {"AbsentAdapterKeepsItsNumber",
     {},
     {},
     {{1, "by-id:" + kFirst.byIdName}},
     {kSecond},
     {{1, pb::PortRule::Automatic, "", "", "by-id:" + kFirst.byIdName},
      {2, pb::PortRule::Automatic, "/dev/ttyUSB1", "/dev/ttyUSB1", "by-id:" + kSecond.byIdName}},
     {}},
    // Numbered above 30, of a kind the numbering leaves out, put aside by the environment.
    {"PresentPortsNoNumberReaches",
     {{1, "/dev/pts/7"}},
     {},
     {},
     {{"/dev/ttyAMA0", "", "", ""}, {"/dev/ttyS40", "", "", ""}, kFirst},
     {{1, pb::PortRule::Environment, "/dev/pts/7", ""}},
     {"/dev/ttyAMA0", "/dev/ttyS40", "/dev/ttyUSB0"}},
};

class PortListing : public ::testing::TestWithParam<ListingCase> {};

TEST_P(PortListing, EachNumberShowsItsRuleAndThePortBehindIt)
{
    const ListingCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const pb::ProgramFolder folder{dir.path(), QString(), dir.filePath("user")};
    if (!c.portsFile.isEmpty()) {
        QFile file(folder.portsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.portsFile);
    }
    if (!c.remembered.empty()) {
        ASSERT_TRUE(pb::WriteAdapterNumbers(folder.adapterNumbersFile(), c.remembered));
    }
    // The map reads the variables when asked for a choice.
    for (const auto& [number, device] : c.environment)
        qputenv(pb::PortEnvironmentVariable(number).toLatin1().constData(), device.toLocal8Bit());
    const pb::PortMap map = pb::PortMap::look(folder, c.present);
    for (const Expected& expected : c.expected) {
        SCOPED_TRACE(expected.number);
        const pb::PortChoice port = map.choice(expected.number);
        EXPECT_EQ(port.rule, expected.rule);
        EXPECT_EQ(port.device, expected.device);
        EXPECT_EQ(port.presentPort ? port.presentPort->systemLocation : QString(), expected.presentAt);
        EXPECT_EQ(port.adapterKey, expected.adapterKey);
    }
    QStringList unreached;
    for (const pb::PortDescription& port : map.unreached(30))
        unreached << port.systemLocation;
    EXPECT_EQ(unreached, c.unreached);
    for (const auto& [number, device] : c.environment)
        qunsetenv(pb::PortEnvironmentVariable(number).toLatin1().constData());
}

INSTANTIATE_TEST_SUITE_P(Rules, PortListing, ::testing::ValuesIn(kListings),
                         [](const ::testing::TestParamInfo<ListingCase>& info) { return std::string(info.param.name); });

// A new adapter gets the number the program would give it, but looking
// does not make it keep that number: only a port opened or the settings
// dialog does.
TEST(PortListing, LookingWritesNoAdapterNumber)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const pb::ProgramFolder folder{dir.path(), QString(), dir.filePath("user")};
    const pb::AdapterNumbers remembered{{2, "by-id:" + kSecond.byIdName}};
    ASSERT_TRUE(pb::WriteAdapterNumbers(folder.adapterNumbersFile(), remembered));
    const auto written = [&] {
        QFile file(folder.adapterNumbersFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = written();

    const QList<pb::PortDescription> present{kSecond, kFirst};
    const pb::PortMap looked = pb::PortMap::look(folder, present);
    EXPECT_EQ(written(), before);
    const pb::PortMap loaded = pb::PortMap::load(folder, present);
    for (int number = 1; number <= 30; ++number) {
        SCOPED_TRACE(number);
        EXPECT_EQ(looked.choice(number).device, loaded.choice(number).device);
        EXPECT_EQ(looked.choice(number).adapterKey, loaded.choice(number).adapterKey);
    }
    EXPECT_EQ(looked.device(1), "/dev/ttyUSB0");
    EXPECT_EQ(pb::ReadAdapterNumbers(folder.adapterNumbersFile()).size(), 2u) << "the program itself keeps it";
}

} // namespace
