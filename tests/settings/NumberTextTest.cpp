#include "settings/NumberText.h"

#include <gtest/gtest.h>

using pb::IntToText;
using pb::ToHex;

TEST(NumberText, IntToTextHasNoSignAndNoBlank)
{
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(7), "7");
    EXPECT_EQ(IntToText(200), "200");
    EXPECT_EQ(IntToText(32767), "32767");
    EXPECT_EQ(IntToText(-1), "1");
    EXPECT_EQ(IntToText(-250), "250");
    EXPECT_EQ(IntToText(-32768), "32768");
}

TEST(NumberText, ToHexIsUpperCaseWithoutLeadingZeros)
{
    EXPECT_EQ(ToHex(0), "0");
    EXPECT_EQ(ToHex(9), "9");
    EXPECT_EQ(ToHex(10), "A");
    EXPECT_EQ(ToHex(15), "F");
    EXPECT_EQ(ToHex(16), "10");
    EXPECT_EQ(ToHex(255), "FF");
    EXPECT_EQ(ToHex(0x0ABC), "ABC");
    EXPECT_EQ(ToHex(-1), "FFFF");
    EXPECT_EQ(ToHex(-32768), "8000");
}
