// An adapter keeps its Com number across unplugging and restarts, and a
// lost port is reopened only when its own adapter is back.
#include "QtPrinting.h"
#include "link/ports/AdapterNumbersFile.h"
#include "link/ports/PortMap.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

pb::PortDescription adapter(const char* location, const char* byId, const char* serial = "")
{
    return {location, byId, QString(), serial};
}

const pb::PortDescription kFirst = adapter("/dev/ttyUSB0", "usb-FTDI_A10K3X-if00-port0");
const pb::PortDescription kSecond = adapter("/dev/ttyUSB1", "usb-FTDI_B20L4Y-if00-port0");
const pb::PortDescription kNoLink = adapter("/dev/ttyACM0", "", "7573");

// A number no adapter holds names the system's own port.
#ifdef Q_OS_WIN
const char* const kSystemPort3 = "COM3";
#else
const char* const kSystemPort3 = "/dev/ttyS2";
#endif

struct Start {
    QList<pb::PortDescription> present;
    std::vector<std::pair<int, const char*>> expected; // Com number, device ("" while its adapter is away)
};

TEST(AdapterNumbers, AnAdapterIsTheSameComNumberAtEveryStart)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const pb::ProgramFolder folder{dir.path(), QString(), dir.filePath("user")};
    const Start starts[] = {
        {{kSecond, kFirst}, {{1, "/dev/ttyUSB0"}, {2, "/dev/ttyUSB1"}}},
        // The first is unplugged: the second stays Com2, nothing is Com1.
        {{kSecond}, {{1, ""}, {2, "/dev/ttyUSB1"}, {3, kSystemPort3}}},
        // A new adapter takes a free number, never the absent one's.
        {{kSecond, kNoLink}, {{1, ""}, {2, "/dev/ttyUSB1"}, {3, "/dev/ttyACM0"}}},
        // The first comes back under another name, as Com1 again.
        {{adapter("/dev/ttyUSB4", "usb-FTDI_A10K3X-if00-port0"), kSecond, adapter("/dev/ttyACM2", "", "7573")},
         {{1, "/dev/ttyUSB4"}, {2, "/dev/ttyUSB1"}, {3, "/dev/ttyACM2"}}},
    };
    for (const Start& start : starts) {
        for (const auto& [number, device] : start.expected) {
            SCOPED_TRACE(number);
            EXPECT_EQ(pb::ResolvePortDevice(number, folder, [&] { return start.present; }), device);
        }
    }
    const pb::DeviceIdentity away = pb::ResolvePort(1, folder, [] { return QList<pb::PortDescription>{kSecond}; });
    EXPECT_EQ(away.adapterKey, "by-id:usb-FTDI_A10K3X-if00-port0");
    EXPECT_EQ(pb::LocateDevice(away, {kSecond}), "") << "waits for its own adapter";
    EXPECT_EQ(pb::LocateDevice(away, {kSecond, adapter("/dev/ttyUSB7", "usb-FTDI_A10K3X-if00-port0")}),
              "/dev/ttyUSB7");
    EXPECT_EQ(pb::PortMap::load(folder, {kSecond}).entryText(1), "Com1") << "an absent adapter's number shows bare";
    EXPECT_FALSE(QFile::exists(folder.path + "/adapters.ini")) << "kept per user, not beside the program";
}

} // namespace
