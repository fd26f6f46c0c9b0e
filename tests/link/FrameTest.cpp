#include "FrameBytes.h"
#include "link/protocol/Frame.h"
#include "link/protocol/FrameSender.h"
#include "support/ScriptedLine.h"

#include <gtest/gtest.h>

namespace {

using pbtest::Hex;
using pbtest::ScriptedLine;

constexpr int16_t kIdentityType = 3; // list position is the value byte
constexpr int16_t kSpeedType = 1;    // serial speed and poll interval coded

TEST(FrameSender, ReadRequestForItem5IsTheDocumentedByteString)
{
    ScriptedLine line;
    pb::FrameSender sender(line);
    EXPECT_EQ(sender.SendReadRequest(kIdentityType, 5), 1);
    EXPECT_EQ(line.sent, Hex("01 09 01 00 02 77 1F 05 1E 3A"));
    EXPECT_EQ(line.flushes, 1);
    EXPECT_EQ(line.attempts, 10) << "one SendByte call per byte";
}

TEST(FrameSender, CallNumberRequestIsTheDocumentedByteString)
{
    ScriptedLine line;
    pb::FrameSender sender(line);
    sender.SendCallNumberRequest();
    EXPECT_EQ(line.sent, Hex("01 06 01 00 02 32 C4"));
}

TEST(FrameSender, WriteOfItem5Value162ClosesWithAZeroChecksum)
{
    ScriptedLine line;
    pb::FrameSender sender(line);
    EXPECT_EQ(sender.SendWriteRequest(kIdentityType, 5, 162), 1);
    EXPECT_EQ(line.sent, Hex("01 0D 01 00 02 57 1F 05 1E 77 1F A2 1E 00"));
}

TEST(FrameSender, WakeUpSequenceIsFourBytesWithoutFlush)
{
    ScriptedLine line;
    line.Arrive(Hex("41 42"));
    pb::FrameSender sender(line);
    sender.SendWakeUpSequence();
    EXPECT_EQ(line.sent, Hex("01 01 80 7F"));
    EXPECT_EQ(line.waiting.size(), 2u);
    EXPECT_EQ(pb::WakeUpSequence(), Hex("01 01 80 7F"));
}

TEST(FrameSender, SpeedRowTravelsInHundredsOfBaud)
{
    ScriptedLine line;
    pb::FrameSender sender(line);
    EXPECT_EQ(sender.SendWriteRequest(kSpeedType, 13, 2), 1);
    ASSERT_EQ(line.sent.size(), 14);
    EXPECT_EQ(line.sent[11], char(48));
}

TEST(FrameSender, UncodableRequestsSendNothing)
{
    ScriptedLine line;
    pb::FrameSender sender(line);
    EXPECT_EQ(sender.SendWriteRequest(kSpeedType, 13, 4), -1) << "19200 baud has no code";
    EXPECT_EQ(sender.SendWriteRequest(kIdentityType, 2, -1), -1) << "no selection";
    EXPECT_EQ(sender.SendReadRequest(0, 4), -1) << "a unit without settings";
    EXPECT_EQ(sender.SendWriteRequest(7, 4, 1), -1);
    EXPECT_TRUE(line.sent.isEmpty());
    EXPECT_EQ(line.flushes, 0);
}

TEST(FrameSender, ARefusedByteIsLeftOutOfTheChecksum)
{
    ScriptedLine line;
    line.refusedAttempts = {7}; // the item byte
    pb::FrameSender sender(line);
    EXPECT_EQ(sender.SendReadRequest(kIdentityType, 5), 1);
    // 0xC6 without the 05 is 0xC1; the closing byte follows from what went out.
    EXPECT_EQ(line.sent, Hex("01 09 01 00 02 77 1F 1E 3F"));
}

TEST(PagerCallRecord, EmptyMessageLeavesItsFieldOutAndNoBleepCodeIsFFFF)
{
    pb::PagerCall call;
    call.callDigit = 5;
    call.address = "1234";
    call.bleepCode = -1;
    EXPECT_EQ(pb::PagerCallRecord(call), QByteArray("A\x1F" "5\x1E" "1\x1F" "1234\x1E" "3\x1F" "FFFF\x1E"));
}

TEST(PagerCallRecord, CutsAddressAndMessageAndWritesTheBleepCodeInHex)
{
    pb::PagerCall call;
    call.callDigit = 0;
    call.address = "123456789012";
    call.message = QString(45, u'm');
    call.bleepCode = 11;
    const QByteArray expected = QByteArray("A\x1F" "0\x1E" "1\x1F" "1234567890\x1E" "2\x1F") + QByteArray(40, 'm')
        + QByteArray("\x1E" "3\x1F" "B\x1E");
    EXPECT_EQ(pb::PagerCallRecord(call), expected);
}

TEST(PagerCallRecord, CharactersGoOutInWindows1252)
{
    pb::PagerCall call;
    call.address = "1";
    call.message = QString::fromUtf8("\xC3\xA9\xE2\x82\xAC"); // é €
    call.bleepCode = 0;
    EXPECT_EQ(pb::PagerCallRecord(call).mid(8, 4), Hex("32 1F E9 80"));
}

TEST(FrameSender, PagerCallFrameCountsItsRecordInLen)
{
    ScriptedLine line;
    pb::FrameSender sender(line);
    pb::PagerCall call;
    call.callDigit = 5;
    call.address = "1234";
    sender.SendPagerCall(call);
    EXPECT_EQ(line.sent, pbtest::Framed(Hex("01 17 01 00 02") + pb::PagerCallRecord(call)));
}

} // namespace
