#include "link/devices/DatacomSettings.h"

#include <gtest/gtest.h>

namespace {

struct CodesCase {
    int16_t speed, parity, dataBits, stopBits, handshake;
    const char* text;
    qint32 baudRate;
    pb::Parity parityValue;
    int dataBitsValue, stopBitsValue;
    pb::Handshake handshakeValue;
    bool requestToSend;
};

using pb::Handshake;
using pb::Parity;

const CodesCase kCases[] = {
    {5, 0, 1, 0, 0, "19200,N,8,1", 19200, Parity::None, 8, 1, Handshake::None, false}, // the unit's line
    {0, 2, 0, 1, 0, "300,O,7,2", 300, Parity::Odd, 7, 2, Handshake::None, false},
    {1, 1, 1, 0, 1, "1200,E,8,1", 1200, Parity::Even, 8, 1, Handshake::None, true},
    {2, 0, 1, 0, 2, "2400,N,8,1", 2400, Parity::None, 8, 1, Handshake::RtsCts, true},
    {3, 0, 1, 0, -1, "4800,N,8,1", 4800, Parity::None, 8, 1, Handshake::RtsCts, true},
    {4, 0, 1, 0, 3, "9600,N,8,1", 9600, Parity::None, 8, 1, Handshake::RtsCts, true},
    // Unknown codes take the common choice.
    {9, 3, 5, 2, 0, "9600,N,8,1", 9600, Parity::None, 8, 1, Handshake::None, false},
    {-1, -2, 2, 7, 0, "9600,N,8,1", 9600, Parity::None, 8, 1, Handshake::None, false},
};

TEST(LineSettings, CodesBecomeTheLineSettings)
{
    for (const CodesCase& c : kCases) {
        SCOPED_TRACE(c.text);
        const pb::LineSettings line = pb::LineSettingsFromCodes(c.speed, c.parity, c.dataBits, c.stopBits, c.handshake);
        EXPECT_EQ(line.text, QString::fromLatin1(c.text));
        EXPECT_EQ(line.baudRate, c.baudRate);
        EXPECT_EQ(line.parity, c.parityValue);
        EXPECT_EQ(line.dataBits, c.dataBitsValue);
        EXPECT_EQ(line.stopBits, c.stopBitsValue);
        EXPECT_EQ(line.handshake, c.handshakeValue);
        EXPECT_EQ(line.requestToSend, c.requestToSend);
        EXPECT_FALSE(line.dataTerminalReady);
    }
}

} // namespace
