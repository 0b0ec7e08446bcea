// The ".macro" file and the index: exact layout, round trips, and data that ends too early.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "MacroFileSeeds.h"
#include "macros/MacroFile.h"

namespace fs = std::filesystem;

namespace {

const std::vector<uint8_t> kExampleFile{
    0x01, 0x00, 0x00, 0x00, 0x41, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0xCC, 0x00, 0x00, 0x00, 0xDC, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x41,
    0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0xCA, 0x00,
    0x00, 0x00, 0x17, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00};

bool Decode(const std::vector<uint8_t>& bytes, CMacro& macro) {
    DataStream in(bytes);
    return DecodeMacroFile(in, macro);
}

// A macro with every field away from its default, negative values and a surrogate pair included.
CMacro RichMacro() {
    CMacro macro(nullptr, MacroRect{-1, 2, 204, 220}, 0x12345678, u"Grenade \U0001F4A3");
    macro.InsertEvent(kEventKey, 0xA2, kActionPress, 0, kPlaceAtEnd);
    macro.InsertEvent(kEventMouseButton, 167, kActionRelease, 1234567, kPlaceAtEnd);
    macro.InsertEvent(kEventWheel, 152, kActionPress, -1, kPlaceAtEnd);
    macro.events[1].code = -32768;
    macro.events[0].selected = 7;  // any value a file holds comes back
    macro.events[2].id = -9;
    macro.events[2].row = MacroRect{INT32_MIN, -40, INT32_MAX, -22};
    return macro;
}

TEST(MacroFileTest, TheSixtyTwoByteExample) {
    CMacro macro(nullptr, MacroRect{0, 0, 204, 220}, 16, u"A");
    macro.InsertEvent(kEventKey, 65, kActionPress, 0, kPlaceAtEnd);
    EXPECT_EQ(EncodeMacroFile(macro), kExampleFile);
    WriteMacroSeed("example", kExampleFile);

    CMacro decoded;
    ASSERT_TRUE(Decode(kExampleFile, decoded));
    EXPECT_EQ(decoded.name, u"A");
    EXPECT_EQ(decoded.id, 16);
    EXPECT_EQ(decoded.bounds, (MacroRect{0, 0, 204, 220}));
    ASSERT_EQ(decoded.events.size(), 1u);
    EXPECT_EQ(decoded.events[0], macro.events[0]);
}

TEST(MacroFileTest, RoundTripKeepsEveryStoredField) {
    const CMacro original = RichMacro();
    const std::vector<uint8_t> bytes = EncodeMacroFile(original);
    EXPECT_EQ(bytes.size(), 28u + 2 * original.name.size() + 32 * 3);
    WriteMacroSeed("rich", bytes);
    CMacro decoded;
    ASSERT_TRUE(Decode(bytes, decoded));
    EXPECT_EQ(decoded.name, original.name);
    EXPECT_EQ(decoded.id, original.id);
    EXPECT_EQ(decoded.bounds, original.bounds);
    EXPECT_EQ(decoded.events, original.events);
    EXPECT_EQ(EncodeMacroFile(decoded), bytes);
}

TEST(MacroFileTest, EmptyMacrosNamesAndCounts) {
    const CMacro empty(nullptr, MacroRect{0, 0, 204, 220}, 16, u"Jump");
    const std::vector<uint8_t> bytes = EncodeMacroFile(empty);
    EXPECT_EQ(bytes.size(), 28u + 2 * 4);
    CMacro decoded;
    decoded.InsertEvent(1, 65, 1, 0, kPlaceAtEnd);
    ASSERT_TRUE(Decode(bytes, decoded));
    EXPECT_TRUE(decoded.events.empty());

    // Name length 0 and negative lengths read as empty names and consume nothing more.
    for (uint8_t high : {0x00, 0xFF}) {
        std::vector<uint8_t> nameless{0x00, 0x00, 0x00, high, 5, 0, 0, 0};
        nameless.resize(28, 0);
        ASSERT_TRUE(Decode(nameless, decoded));
        EXPECT_EQ(decoded.name, u"");
        EXPECT_EQ(decoded.id, 5);
    }
    // A negative event count reads as no events, and trailing bytes are ignored.
    std::vector<uint8_t> negative = EncodeMacroFile(empty);
    negative[24 + 2 * 4 + 3] = 0x80;  // top byte of the event count
    negative.insert(negative.end(), 32, 0xEE);
    ASSERT_TRUE(Decode(negative, decoded));
    EXPECT_TRUE(decoded.events.empty());
    EXPECT_EQ(decoded.name, u"Jump");
}

TEST(MacroFileTest, DataEndingEarlyIsRefusedAndChangesNothing) {
    const std::vector<uint8_t> full = EncodeMacroFile(RichMacro());
    for (size_t cut = 0; cut < full.size(); ++cut) {
        CMacro target(nullptr, MacroRect{1, 1, 1, 1}, 99, u"kept");
        EXPECT_FALSE(Decode(std::vector<uint8_t>(full.begin(), full.begin() + cut), target)) << cut;
        EXPECT_EQ(target.name, u"kept");
        EXPECT_EQ(target.id, 99);
        EXPECT_TRUE(target.events.empty());
    }
    // Counts far beyond the data: refused without trying to hold them.
    std::vector<uint8_t> hugeCount = kExampleFile;
    hugeCount[26] = 0xFF;
    hugeCount[27] = 0x7F;
    CMacro target;
    EXPECT_FALSE(Decode(hugeCount, target));
    std::vector<uint8_t> hugeName = kExampleFile;
    hugeName[3] = 0x7F;
    EXPECT_FALSE(Decode(hugeName, target));
}

TEST(MacroIndexTest, LayoutAndRoundTrip) {
    const std::vector<std::u16string> paths{u"C:\\Users\\u\\Macros\\A.macro", u"B"};
    const std::vector<uint8_t> bytes = EncodeMacroIndex(paths);
    ASSERT_EQ(bytes.size(), 4u + 4 + 2 * 25 + 4 + 2);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 10),
              (std::vector<uint8_t>{2, 0, 0, 0, 25, 0, 0, 0, 'C', 0}));
    WriteMacroSeed("index", bytes);
    DataStream in(bytes);
    std::vector<std::u16string> decoded;
    ASSERT_TRUE(DecodeMacroIndex(in, decoded));
    EXPECT_EQ(decoded, paths);
}

TEST(MacroIndexTest, CountsAndStringsBeyondTheData) {
    const std::vector<uint8_t> bytes = EncodeMacroIndex({u"first", u"second"});
    // A string that runs past the end: the whole ones before it are kept.
    std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 1);
    DataStream in(cut);
    std::vector<std::u16string> paths;
    EXPECT_FALSE(DecodeMacroIndex(in, paths));
    EXPECT_EQ(paths, (std::vector<std::u16string>{u"first"}));

    // A count larger than the strings present.
    std::vector<uint8_t> more = bytes;
    more[0] = 0xFF;
    more[1] = 0xFF;
    more[2] = 0xFF;
    more[3] = 0x7F;
    DataStream moreIn(more);
    paths.clear();
    EXPECT_FALSE(DecodeMacroIndex(moreIn, paths));
    EXPECT_EQ(paths.size(), 2u);

    // Zero and negative counts mean no entries; an empty file has no count at all.
    for (uint8_t high : {0x00, 0x80}) {
        DataStream none(std::vector<uint8_t>{0, 0, 0, high, 9, 9});
        paths.clear();
        EXPECT_TRUE(DecodeMacroIndex(none, paths));
        EXPECT_TRUE(paths.empty());
    }
    DataStream empty(std::vector<uint8_t>{});
    EXPECT_FALSE(DecodeMacroIndex(empty, paths));
}

// A forged index: a huge count over millions of empty strings once made the loader hold millions
// of empty paths. Entries are read up to a cap and empty ones are not kept.
TEST(MacroIndexTest, AForgedCountOfEmptyPathsCostsNothing) {
    const size_t emptyStrings = 3 * static_cast<size_t>(kMaxMacroIndexEntries);
    std::vector<uint8_t> forged(4 + 4 * emptyStrings, 0);
    forged[0] = forged[1] = forged[2] = 0xFF;
    forged[3] = 0x7F;
    DataStream in(forged);
    std::vector<std::u16string> paths;
    EXPECT_TRUE(DecodeMacroIndex(in, paths));
    EXPECT_TRUE(paths.empty());
    EXPECT_EQ(in.ReadPosition(), 4 + 4 * kMaxMacroIndexEntries);

    // Real paths beyond the cap are not read either; empty ones among them are dropped.
    std::vector<std::u16string> many(kMaxMacroIndexEntries + 10, u"m");
    many[1].clear();
    DataStream manyIn(EncodeMacroIndex(many));
    paths.clear();
    EXPECT_TRUE(DecodeMacroIndex(manyIn, paths));
    EXPECT_EQ(paths.size(), static_cast<size_t>(kMaxMacroIndexEntries) - 1);
}

}  // namespace
