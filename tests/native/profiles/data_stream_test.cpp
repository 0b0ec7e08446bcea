#include "profiles/DataStream.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> Bytes(const DataStream& s) {
    return s.Bytes();
}

TEST(DataStream, WritesLittleEndianValuesAndStrings) {
    DataStream s;
    s.WriteUInt8(0x12);
    s.WriteUInt16(0x3456);
    s.WriteUInt32(0x789ABCDE);
    s.WriteString(u"ab");
    EXPECT_EQ(Bytes(s), (std::vector<uint8_t>{0x12, 0x56, 0x34, 0xDE, 0xBC, 0x9A, 0x78, 0x02, 0x00,
                                              0x00, 0x00, 0x61, 0x00, 0x62, 0x00}));
}

TEST(DataStream, WriteDecimalOfTheDefaultColourIsItsText) {
    DataStream s;
    s.WriteDecimal(455174);
    DataStream in(s.Bytes());
    EXPECT_EQ(in.ReadString(), u"455174");
    DataStream negative;
    negative.WriteDecimal(-16777216);
    DataStream in2(negative.Bytes());
    EXPECT_EQ(in2.ReadDecimal(), -16777216);
}

TEST(DataStream, StringCountWithTopBitOrZeroReadsAsEmptyAndConsumesOnlyTheCount) {
    DataStream in({0xFF, 0xFF, 0xFF, 0xFF, 0x41, 0x00, 0x00, 0x00, 0x00});
    EXPECT_EQ(in.ReadString(), u"");
    EXPECT_EQ(in.ReadPosition(), 4);
    EXPECT_EQ(in.ReadUInt8(), 0x41);
    EXPECT_EQ(in.ReadString(), u"");  // count 0
    EXPECT_EQ(in.Remaining(), 0);
    EXPECT_FALSE(in.Failed());
}

TEST(DataStream, ReadsPastTheEndFailAndStayFailed) {
    DataStream in({0x01, 0x02, 0x03});
    EXPECT_EQ(in.ReadUInt16(), 0x0201);
    EXPECT_EQ(in.ReadUInt32(), 0u);  // only one byte left
    EXPECT_TRUE(in.Failed());
    EXPECT_EQ(in.ReadUInt8(), 0);  // the byte is there, but the stream stays failed
    EXPECT_TRUE(in.Failed());
}

TEST(DataStream, StringLongerThanTheDataFailsWithoutReadingIt) {
    DataStream in({0x10, 0x00, 0x00, 0x00, 0x41, 0x00});
    EXPECT_EQ(in.ReadString(), u"");
    EXPECT_TRUE(in.Failed());
    DataStream huge({0xFF, 0xFF, 0xFF, 0x7F});  // two billion units claimed
    EXPECT_EQ(huge.ReadString(), u"");
    EXPECT_TRUE(huge.Failed());
}

TEST(DataStream, GrowsByAtLeast1024OrTwiceTheAppend) {
    DataStream s;
    EXPECT_EQ(s.Capacity(), 1024);
    for (int i = 0; i < 1022; ++i)
        s.WriteUInt8(0);
    s.WriteUInt32(1);  // 2 bytes free: grows by max(8, 1024)
    EXPECT_EQ(s.Capacity(), 2048);
    EXPECT_EQ(s.Length(), 1026);

    DataStream t;
    for (int i = 0; i < 1000; ++i)
        t.WriteUInt8(0);
    t.WriteString(std::u16string(1000, u'x'));  // 2004 bytes with 24 free: grows by 4008
    EXPECT_EQ(t.Capacity(), 1024 + 4008);
    EXPECT_EQ(t.Length(), 3004);
}

TEST(DataStream, DecimalTextConvertsLikeTheRuntime) {
    EXPECT_EQ(ParseDecimal(u"455174"), 455174);
    EXPECT_EQ(ParseDecimal(u"  -12abc"), -12);
    EXPECT_EQ(ParseDecimal(u"+7"), 7);
    EXPECT_EQ(ParseDecimal(u"abc"), 0);
    EXPECT_EQ(ParseDecimal(u""), 0);
    EXPECT_EQ(ParseDecimal(u"99999999999999999999"), INT32_MAX);
    EXPECT_EQ(ParseDecimal(u"-99999999999999999999"), INT32_MIN);
}

}  // namespace
