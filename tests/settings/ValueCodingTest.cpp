// Items and value bytes exchanged with the unit, per unit type.
#include "settings/ValueCoding.h"

#include <gtest/gtest.h>

using namespace pb;

namespace {
const int16_t kSpeedAndInterval[] = {1, 2, 5, 6};
const int16_t kIdentity[] = {3, 4};
const int16_t kRefused[] = {0, 7, -1, 32767, -32768};
} // namespace

TEST(ValueCoding, HighestRowPerType)
{
    EXPECT_EQ(HighestRow(0), 21);
    EXPECT_EQ(HighestRow(1), 18);
    EXPECT_EQ(HighestRow(2), 20);
    EXPECT_EQ(HighestRow(3), 25);
    EXPECT_EQ(HighestRow(4), 25);
    EXPECT_EQ(HighestRow(5), 18);
    EXPECT_EQ(HighestRow(6), 20);
    EXPECT_EQ(HighestRow(7), 0);
    EXPECT_EQ(HighestRow(-1), 0);
}

TEST(ValueCoding, RowsAreItemsForTypesWithSettings)
{
    for (int16_t type = 1; type <= 6; ++type) {
        for (int16_t r : {0, 13, 25, 50}) {
            EXPECT_EQ(RowToItem(type, r), r);
            EXPECT_EQ(ItemToRow(type, r), r);
        }
    }
    for (int16_t type : kRefused) {
        EXPECT_EQ(RowToItem(type, 4), -1) << type;
        EXPECT_EQ(ItemToRow(type, 4), -1) << type;
        EXPECT_EQ(RowToItem(type, 0), -1) << type;
    }
}

TEST(ValueCoding, SpeedTableBothWays)
{
    for (int16_t type : kSpeedAndInterval) {
        EXPECT_EQ(EncodeValue(type, 13, 0), 12);
        EXPECT_EQ(EncodeValue(type, 13, 1), 24);
        EXPECT_EQ(EncodeValue(type, 13, 2), 48);
        EXPECT_EQ(EncodeValue(type, 13, 3), 96);
        EXPECT_EQ(DecodeValue(type, 13, 12), 0);
        EXPECT_EQ(DecodeValue(type, 13, 24), 1);
        EXPECT_EQ(DecodeValue(type, 13, 48), 2);
        EXPECT_EQ(DecodeValue(type, 13, 96), 3);
    }
}

TEST(ValueCoding, SpeedsWithoutCodeAreRefused)
{
    for (int16_t type : kSpeedAndInterval) {
        EXPECT_EQ(EncodeValue(type, 13, 4), -1) << "19200 baud has no code";
        EXPECT_EQ(EncodeValue(type, 13, -1), -1);
        EXPECT_EQ(EncodeValue(type, 13, 5), -1);
        for (int16_t v : {0, 1, 4, 11, 13, 192, 255, -1})
            EXPECT_EQ(DecodeValue(type, 13, v), -1) << v;
    }
}

TEST(ValueCoding, PollIntervalInStepsOfFive)
{
    for (int16_t type : kSpeedAndInterval) {
        EXPECT_EQ(EncodeValue(type, 18, 0), 0);
        EXPECT_EQ(EncodeValue(type, 18, 1), 5);
        EXPECT_EQ(EncodeValue(type, 18, 9), 45);
        EXPECT_EQ(EncodeValue(type, 18, 20), 100);
        EXPECT_EQ(DecodeValue(type, 18, 0), 0);
        EXPECT_EQ(DecodeValue(type, 18, 50), 10);
        EXPECT_EQ(DecodeValue(type, 18, 100), 20);
        // Truncated: a reply of 12 seconds lands on position 2, 4 on position 0.
        EXPECT_EQ(DecodeValue(type, 18, 12), 2);
        EXPECT_EQ(DecodeValue(type, 18, 4), 0);
        EXPECT_EQ(DecodeValue(type, 18, -7), -1); // toward zero, not down
        EXPECT_LT(EncodeValue(type, 18, -1), 0);   // no selection stays unsendable
    }
    // Beyond the 16-bit range there is no code instead of a wrapped value.
    EXPECT_EQ(EncodeValue(1, 18, 7000), -1);
    EXPECT_EQ(EncodeValue(1, 18, 6553), 32765);
}

TEST(ValueCoding, OtherRowsAreIdentity)
{
    for (int16_t type : kSpeedAndInterval) {
        for (int16_t r : {0, 12, 14, 17, 19, 25}) {
            EXPECT_EQ(EncodeValue(type, r, 3), 3);
            EXPECT_EQ(DecodeValue(type, r, 3), 3);
            EXPECT_EQ(EncodeValue(type, r, -1), -1);
        }
    }
}

TEST(ValueCoding, Types3And4SendPositionsUnchanged)
{
    for (int16_t type : kIdentity) {
        EXPECT_EQ(EncodeValue(type, 13, 4), 4) << "19200 baud is sent on type " << type;
        EXPECT_EQ(EncodeValue(type, 13, 0), 0);
        EXPECT_EQ(DecodeValue(type, 13, 96), 96);
        EXPECT_EQ(EncodeValue(type, 18, 3), 3);
        EXPECT_EQ(DecodeValue(type, 18, 12), 12);
        EXPECT_EQ(EncodeValue(type, 24, 60), 60);
    }
}

TEST(ValueCoding, TypesWithoutSettingsRefuseEveryValue)
{
    for (int16_t type : kRefused) {
        for (int16_t r : {0, 13, 18}) {
            EXPECT_EQ(EncodeValue(type, r, 0), -1) << type;
            EXPECT_EQ(EncodeValue(type, r, 2), -1) << type;
            EXPECT_EQ(DecodeValue(type, r, 12), -1) << type;
            EXPECT_EQ(DecodeValue(type, r, 0), -1) << type;
        }
    }
}
