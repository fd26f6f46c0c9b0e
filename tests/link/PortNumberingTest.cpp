// The automatic numbering of the ports present, and how a port is shown.
#include "QtPrinting.h"
#include "link/ports/PortNumbering.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

using Numbers = std::vector<std::pair<int, const char*>>; // port number, location

struct NumberingCase {
    const char* name;
    QList<pb::PortDescription> ports; // location and by-id name
    Numbers expected;
    pb::AdapterNumbers remembered = {};
};

pb::PortDescription port(const char* location, const char* byId = "")
{
    return {QString::fromLatin1(location), QString::fromLatin1(byId), QString(), QString()};
}

const char* const kFtdi = "usb-FTDI_FT232R_USB_UART_A10K3X-if00-port0";
const char* const kProlific = "usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0";
const char* const kAcm = "usb-Arduino__www.arduino.cc__0043_7573-if00";

const NumberingCase kCases[] = {
    {"BuiltInPortsKeepTheirOwnNumbers", {port("/dev/ttyS3"), port("/dev/ttyS0")}, {{1, "/dev/ttyS0"}, {4, "/dev/ttyS3"}}},
    {"AdaptersGoByTheirByIdNamesNotTheKernelsOrder",
     {port("/dev/ttyUSB0", kProlific), port("/dev/ttyUSB1", kFtdi)},
     {{1, "/dev/ttyUSB1"}, {2, "/dev/ttyUSB0"}}},
    {"AdaptersTakeTheNumbersTheBuiltInPortsLeave",
     {port("/dev/ttyS0"), port("/dev/ttyS2"), port("/dev/ttyUSB0", kProlific), port("/dev/ttyUSB1", kFtdi),
      port("/dev/ttyACM0", kAcm)},
     {{1, "/dev/ttyS0"}, {2, "/dev/ttyACM0"}, {3, "/dev/ttyS2"}, {4, "/dev/ttyUSB1"}, {5, "/dev/ttyUSB0"}}},
    {"AdaptersWithoutByIdNameComeLastByLocation",
     {port("/dev/ttyUSB10"), port("/dev/ttyACM0"), port("/dev/ttyUSB2"), port("/dev/ttyUSB3", kFtdi)},
     {{1, "/dev/ttyUSB3"}, {2, "/dev/ttyACM0"}, {3, "/dev/ttyUSB2"}, {4, "/dev/ttyUSB10"}}},
    {"OtherPortsGetNoNumber",
     {port("/dev/ttyAMA0"), port("/dev/pts/3"), port("/dev/ttySX"), port("/dev/ttyUSB")},
     {}},
    {"NoPortsNoNumbers", {}, {}},
    {"RememberedAdaptersKeepTheirNumbersAndOthersNeverTakeThem",
     {port("/dev/ttyUSB0", kProlific), port("/dev/ttyUSB1", kAcm), port("/dev/ttyUSB2", kFtdi)},
     {{1, "/dev/ttyUSB0"}, {4, "/dev/ttyUSB2"}, {5, "/dev/ttyUSB1"}},
     {{1, QString("by-id:") + kProlific}, {2, "by-id:gone"}, {3, "serial:GONE"}, {4, QString("by-id:") + kFtdi}}},
    {"BuiltInPortWinsOverARememberedNumber",
     {port("/dev/ttyS0"), port("/dev/ttyUSB0", kFtdi)},
     {{1, "/dev/ttyS0"}, {3, "/dev/ttyUSB0"}},
     {{1, QString("by-id:") + kFtdi}, {2, "by-id:gone"}, {3, QString("by-id:") + kFtdi}}},
};

class AutomaticNumbering : public ::testing::TestWithParam<NumberingCase> {};

TEST_P(AutomaticNumbering, NumbersThePortsLikeWindows)
{
    const NumberingCase& c = GetParam();
    std::vector<std::pair<int, QString>> numbered;
    for (const auto& [number, described] : pb::AutomaticPortNumbers(c.ports, c.remembered))
        numbered.emplace_back(number, described.systemLocation);
    std::vector<std::pair<int, QString>> expected;
    for (const auto& [number, location] : c.expected)
        expected.emplace_back(number, QString::fromLatin1(location));
    EXPECT_EQ(numbered, expected);
}

INSTANTIATE_TEST_SUITE_P(Ports, AutomaticNumbering, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<NumberingCase>& info) { return std::string(info.param.name); });

TEST(PortDisplayText, ShowsWhatIsKnownOfTheAdapter)
{
    const QString device = QStringLiteral("/dev/ttyUSB0");
    const pb::PortDescription both{device, QString(), QStringLiteral("FT232R USB UART"), QStringLiteral("A10K3X")};
    const pb::PortDescription serialOnly{device, QString(), QString(), QStringLiteral("A10K3X")};
    const pb::PortDescription none{device, QString(), QString(), QString()};
    EXPECT_EQ(pb::PortDisplayText(device, &both), "/dev/ttyUSB0 (FT232R USB UART, A10K3X)");
    EXPECT_EQ(pb::PortDisplayText(device, &serialOnly), "/dev/ttyUSB0 (A10K3X)");
    EXPECT_EQ(pb::PortDisplayText(device, &none), "/dev/ttyUSB0");
    EXPECT_EQ(pb::PortDisplayText(QStringLiteral("tcp://10.0.0.20:4001"), nullptr), "tcp://10.0.0.20:4001");
}

} // namespace
