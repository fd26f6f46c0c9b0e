#include "FrameBytes.h"
#include "link/protocol/ReplyReader.h"

#include <gtest/gtest.h>

namespace {

using pb::ReplyProgress;
using pbtest::Hex;

// Feeds SOH and LEN, then data bytes until the reader stops taking them.
// How many bytes of the reply were taken, and the verdict.
std::pair<int, ReplyProgress> Feed(pb::ReplyReader& reader, const QByteArray& reply)
{
    reader.Begin();
    EXPECT_TRUE(reader.StartByte(uint8_t(reply[0])));
    reader.LengthByte(uint8_t(reply[1]));
    for (int i = 2; i < reply.size(); ++i) {
        const ReplyProgress p = reader.DataByte(uint8_t(reply[i]));
        if (p != ReplyProgress::Incomplete)
            return {i + 1, p};
    }
    return {int(reply.size()), ReplyProgress::Incomplete};
}

TEST(ReplyReader, OnlySohStartsAFrame)
{
    pb::ReplyReader reader;
    reader.Begin();
    EXPECT_FALSE(reader.StartByte(0x55));
    EXPECT_FALSE(reader.StartByte(-1));
    EXPECT_FALSE(reader.StartByte(0x02));
    EXPECT_EQ(reader.Count(), 0);
    EXPECT_TRUE(reader.StartByte(0x01));
    EXPECT_EQ(reader.Count(), 1);
    EXPECT_EQ(reader.At(0), 1);
}

TEST(ReplyReader, A98ByteReplyStillFits)
{
    pb::ReplyReader reader;
    const QByteArray reply = pbtest::Framed(Hex("01 61") + QByteArray(95, '\x20'));
    ASSERT_EQ(reply.size(), 98);
    EXPECT_EQ(Feed(reader, reply).second, ReplyProgress::Complete);
}

TEST(ReplyReader, PositionsTheReplyDoesNotReachReadAsMinusOne)
{
    pb::ReplyReader reader;
    Feed(reader, pbtest::ReadReply(9, 2));
    const auto [taken, verdict] = Feed(reader, pbtest::Framed(Hex("01 08 01 00 02 77 1F 09")));
    EXPECT_EQ(verdict, ReplyProgress::Complete);
    EXPECT_EQ(reader.ReplyItem(), 9);
    EXPECT_EQ(reader.ReplyValue(), -1) << "the earlier reply's value was cleared";
    EXPECT_EQ(reader.At(99), -1);
    EXPECT_EQ(reader.At(101), -1);
}

} // namespace
