#include "QtPrinting.h"
#include "link/ports/ComPortNames.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* name;
    int number;
    const char* path;
};

const NameCase kNames[] = {
    {"COM1", 1, "\\\\.\\COM1"},
    {"COM10", 10, "\\\\.\\COM10"},
    {"com3", 3, "\\\\.\\com3"},
    {"COM255", 255, "\\\\.\\COM255"},
    {"\\\\.\\COM12", 12, "\\\\.\\COM12"}, // already a device path: no second prefix
    {"COM0", 0, "COM0"},
    {"COM", 0, "COM"},
    {"COM1000", 0, "COM1000"},
    {"COM1.txt", 0, "COM1.txt"},
    {"COMPANY", 0, "COMPANY"},
    {"/dev/ttyS0", 0, "/dev/ttyS0"},
    {"tcp://10.0.0.5:4001", 0, "tcp://10.0.0.5:4001"},
    {"", 0, ""},
};

TEST(ComPortNames, NumberAndDevicePathOfEachName)
{
    for (const NameCase& c : kNames) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pb::ComPortNumber(QString::fromLatin1(c.name)), c.number);
        EXPECT_EQ(pb::Win32DevicePath(QString::fromLatin1(c.name)), QString::fromLatin1(c.path));
    }
}

TEST(ComPortNames, PortsSortByNumberNotByText)
{
    QStringList ports{"COM10", "COM2", "\\\\.\\COM1", "COM11", "COM3"};
    std::sort(ports.begin(), ports.end(), pb::ComPortBefore);
    EXPECT_EQ(ports, QStringList({"\\\\.\\COM1", "COM2", "COM3", "COM10", "COM11"}));
}

TEST(ComPortNames, OtherNamesComeFirstInTextOrder)
{
    QStringList ports{"COM1", "b", "a"};
    std::sort(ports.begin(), ports.end(), pb::ComPortBefore);
    EXPECT_EQ(ports, QStringList({"a", "b", "COM1"}));
}

} // namespace
