#include "link/DatacomSettings.h"

#include <gtest/gtest.h>

namespace {

QString text(int16_t speed, int16_t parity, int16_t dataBits, int16_t stopBits)
{
    return pb::LineSettingsFromCodes(speed, parity, dataBits, stopBits).text;
}

TEST(LineSettings, CodesOfEveryCallerGiveTheUnitsLine)
{
    const pb::LineSettings line = pb::LineSettingsFromCodes(5, 0, 1, 0);
    EXPECT_EQ(line.text, "19200,N,8,1");
    EXPECT_EQ(line.baudRate, 19200);
    EXPECT_EQ(line.parity, QSerialPort::NoParity);
    EXPECT_EQ(line.dataBits, QSerialPort::Data8);
    EXPECT_EQ(line.stopBits, QSerialPort::OneStop);
}

TEST(LineSettings, EachSpeedCodeHasItsRate)
{
    const qint32 rates[] = { 300, 1200, 2400, 4800, 9600, 19200 };
    for (int16_t code = 0; code < 6; ++code) {
        const pb::LineSettings line = pb::LineSettingsFromCodes(code, 0, 1, 0);
        EXPECT_EQ(line.baudRate, rates[code]) << code;
        EXPECT_EQ(line.text, QString::number(rates[code]) + ",N,8,1") << code;
    }
}

TEST(LineSettings, UnknownCodesTakeTheCommonChoice)
{
    EXPECT_EQ(text(4, 0, 1, 0), "9600,N,8,1");
    EXPECT_EQ(text(9, 0, 1, 0), "9600,N,8,1");
    EXPECT_EQ(text(-1, 0, 1, 0), "9600,N,8,1");
    EXPECT_EQ(pb::LineSettingsFromCodes(9, 0, 1, 0).baudRate, 9600);
    EXPECT_EQ(text(5, 3, 1, 0), "19200,N,8,1");
    EXPECT_EQ(text(5, -2, 2, 7), "19200,N,8,1");
    EXPECT_EQ(pb::LineSettingsFromCodes(5, 3, 5, 2).parity, QSerialPort::NoParity);
}

TEST(LineSettings, ParityDataBitsAndStopBitsCodes)
{
    EXPECT_EQ(text(5, 1, 1, 0), "19200,E,8,1");
    EXPECT_EQ(text(5, 2, 1, 0), "19200,O,8,1");
    EXPECT_EQ(text(5, 0, 0, 0), "19200,N,7,1");
    EXPECT_EQ(text(5, 0, 1, 1), "19200,N,8,2");
    const pb::LineSettings line = pb::LineSettingsFromCodes(0, 2, 0, 1);
    EXPECT_EQ(line.text, "300,O,7,2");
    EXPECT_EQ(line.parity, QSerialPort::OddParity);
    EXPECT_EQ(line.dataBits, QSerialPort::Data7);
    EXPECT_EQ(line.stopBits, QSerialPort::TwoStop);
    EXPECT_EQ(pb::LineSettingsFromCodes(5, 1, 1, 0).parity, QSerialPort::EvenParity);
}

TEST(Handshake, CodeChoosesFlowControlAndRts)
{
    const pb::HandshakeSettings none = pb::HandshakeFromCode(0);
    EXPECT_EQ(none.flowControl, QSerialPort::NoFlowControl);
    EXPECT_FALSE(none.requestToSend);
    const pb::HandshakeSettings rtsOn = pb::HandshakeFromCode(1);
    EXPECT_EQ(rtsOn.flowControl, QSerialPort::NoFlowControl);
    EXPECT_TRUE(rtsOn.requestToSend);
    for (int16_t code : { int16_t(2), int16_t(3), int16_t(-1) }) {
        const pb::HandshakeSettings hardware = pb::HandshakeFromCode(code);
        EXPECT_EQ(hardware.flowControl, QSerialPort::HardwareControl) << code;
        EXPECT_TRUE(hardware.requestToSend) << code;
    }
}

} // namespace
