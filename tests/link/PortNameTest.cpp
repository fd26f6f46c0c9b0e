#include "link/PortName.h"

#include <QHash>
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

TEST(PortName, ProcessEnvironmentIsRead)
{
    qputenv("PAGERBENCH_COM29", "/dev/ttyUSB0");
    const QString device = pb::PortDeviceName(29);
    qunsetenv("PAGERBENCH_COM29");
    EXPECT_EQ(device, "/dev/ttyUSB0");
}

} // namespace
