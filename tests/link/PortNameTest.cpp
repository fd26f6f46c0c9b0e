#include "QtPrinting.h"
#include "link/ports/PortMap.h"
#include "link/ports/PortName.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct FakeEnvironment {
    QHash<QString, QString> values;
    pb::EnvironmentLookup lookup() const
    {
        return [this](const QString& name) { return values.value(name); };
    }
};

TEST(PortName, VariableIsNamedAfterThePortNumber)
{
    EXPECT_EQ(pb::PortEnvironmentVariable(1), "PAGERBENCH_COM1");
    EXPECT_EQ(pb::PortEnvironmentVariable(30), "PAGERBENCH_COM30");
}

TEST(PortName, WithoutVariableThePlatformDeviceIsUsed)
{
    FakeEnvironment env;
#ifdef Q_OS_WIN
    EXPECT_EQ(pb::PortDeviceName(1, env.lookup()), "COM1");
    EXPECT_EQ(pb::PortDeviceName(30, env.lookup()), "COM30");
#else
    EXPECT_EQ(pb::PortDeviceName(1, env.lookup()), "/dev/ttyS0");
    EXPECT_EQ(pb::PortDeviceName(30, env.lookup()), "/dev/ttyS29");
#endif
}

TEST(PortName, VariableNamesTheDeviceForItsOwnPortOnly)
{
    FakeEnvironment env;
    env.values["PAGERBENCH_COM2"] = "/dev/serial/by-id/usb-adapter-if00-port0";
    env.values["PAGERBENCH_COM12"] = "/dev/pts/7";
    EXPECT_EQ(pb::PortDeviceName(2, env.lookup()), "/dev/serial/by-id/usb-adapter-if00-port0");
    EXPECT_EQ(pb::PortDeviceName(12, env.lookup()), "/dev/pts/7");
#ifndef Q_OS_WIN
    EXPECT_EQ(pb::PortDeviceName(1, env.lookup()), "/dev/ttyS0");
    EXPECT_EQ(pb::PortDeviceName(3, env.lookup()), "/dev/ttyS2");
#endif
}

TEST(PortName, EmptyVariableCountsAsUnset)
{
    FakeEnvironment env;
    env.values["PAGERBENCH_COM1"] = "";
    EXPECT_EQ(pb::PortDeviceName(1, env.lookup()), pb::PortDeviceName(1, FakeEnvironment().lookup()));
    EXPECT_FALSE(pb::PortDeviceName(1, env.lookup()).isEmpty());
}

TEST(PortName, NumberBelowOneHasNoDevice)
{
    FakeEnvironment env;
    env.values["PAGERBENCH_COM0"] = "/dev/pts/1";
    EXPECT_TRUE(pb::PortDeviceName(0, env.lookup()).isEmpty());
    EXPECT_TRUE(pb::PortDeviceName(-1, env.lookup()).isEmpty());
}

// Port 3 as each rule would name it; a case lets some of them apply.
enum Rules { Env = 1, Ini = 2, Present = 4 };

struct PrecedenceCase {
    const char* name;
    int rules;
    const char* device;
    pb::PortRule rule;
    const char* entry; // its text in the settings dialog's list
};

#ifdef Q_OS_WIN
#define PB_PLATFORM_PORT3 "COM3"
#else
#define PB_PLATFORM_PORT3 "/dev/ttyS2"
#endif

const PrecedenceCase kPrecedence[] = {
    {"EnvironmentBeatsAll", Env | Ini | Present, "/dev/pts/7", pb::PortRule::Environment, "Com3 \u2013 /dev/pts/7"},
    {"PortsFileBeatsTheAutomaticNumbers", Ini | Present, "tcp://10.0.0.20:4001", pb::PortRule::PortsFile,
     "Com3 \u2013 tcp://10.0.0.20:4001"},
    {"AutomaticNumberWithTheAdaptersDescription", Present, "/dev/ttyUSB0", pb::PortRule::Automatic,
     "Com3 \u2013 /dev/ttyUSB0 (FT232R USB UART, A10K3X)"},
    {"PlatformNameWhenNoRuleNamesThePort", 0, PB_PLATFORM_PORT3, pb::PortRule::Platform, "Com3"},
};

class PortPrecedence : public ::testing::TestWithParam<PrecedenceCase> {};

TEST_P(PortPrecedence, FirstRuleThatNamesThePortHolds)
{
    const PrecedenceCase& c = GetParam();
    FakeEnvironment env;
    if (c.rules & Env)
        env.values["PAGERBENCH_COM3"] = "/dev/pts/7";

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const pb::ProgramFolder folder{dir.path(), QString(), QString()};
    if (c.rules & Ini) {
        QFile file(folder.portsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[ports]\r\nCom3=tcp://10.0.0.20:4001\r\n");
    }
    // ttyS0 and ttyS1 are Com1 and Com2, so the adapter is Com3.
    QList<pb::PortDescription> present;
    if (c.rules & Present)
        present = {{"/dev/ttyS0", "", "", ""},
                   {"/dev/ttyS1", "", "", ""},
                   {"/dev/ttyUSB0", "usb-FTDI_FT232R_USB_UART_A10K3X-if00-port0", "FT232R USB UART", "A10K3X"}};

    const pb::PortMap map(env.lookup(), pb::ReadPortEntries(folder), present);
    const pb::PortChoice port = map.choice(3);
    EXPECT_EQ(port.device, QString::fromLatin1(c.device));
    EXPECT_EQ(port.rule, c.rule);
    EXPECT_EQ(map.entryText(3), QString::fromUtf8(c.entry));
    if (!(c.rules & Env)) {
        int listings = 0;
        const auto listPresent = [&] { ++listings; return present; };
        EXPECT_EQ(pb::ResolvePortDevice(3, folder, listPresent), port.device) << "from the folder's ports.ini";
        EXPECT_EQ(listings, c.rule == pb::PortRule::PortsFile ? 0 : 1) << "ports are listed only when needed";
    }
    // The other ports keep to their own rules.
    EXPECT_EQ(map.choice(4).device, pb::PortDeviceName(4, env.lookup()));
    EXPECT_TRUE(map.device(0).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Rules, PortPrecedence, ::testing::ValuesIn(kPrecedence),
                         [](const ::testing::TestParamInfo<PrecedenceCase>& info) { return std::string(info.param.name); });

TEST(PortName, PortsFileDeviceNamedByIdShowsItsAdapter)
{
    const QString byId = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3X-if00-port0");
    const FakeEnvironment env; // the map keeps the lookup, which refers to it
    const pb::PortMap map(env.lookup(), {{5, byId}},
                          {{"/dev/ttyUSB0", "usb-FTDI_FT232R_USB_UART_A10K3X-if00-port0", "FT232R USB UART", "A10K3X"}});
    EXPECT_EQ(map.device(5), byId);
    EXPECT_EQ(map.choice(5).display, byId + " (FT232R USB UART, A10K3X)");
    EXPECT_EQ(map.device(1), "/dev/ttyUSB0") << "the adapter keeps its automatic number too";
}

TEST(PortName, ProcessEnvironmentIsRead)
{
    qputenv("PAGERBENCH_COM29", "/dev/ttyUSB0");
    const QString device = pb::PortDeviceName(29);
    qunsetenv("PAGERBENCH_COM29");
    EXPECT_EQ(device, "/dev/ttyUSB0");
}

} // namespace
