// Ids and names of new macros, and the file names macros are stored under.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macros/MacroNaming.h"

namespace {

std::u16string Unique(const std::u16string& typed, const std::vector<std::u16string>& names) {
    return UniqueMacroName(typed, names);
}

TEST(FreshMacroIdTest, OneAboveTheLargestAndAtLeastSixteen) {
    EXPECT_EQ(FreshMacroId({}), 16);
    const std::vector<int32_t> small{3, 7};
    EXPECT_EQ(FreshMacroId(small), 16);
    const std::vector<int32_t> some{3, 40};
    EXPECT_EQ(FreshMacroId(some), 41);
    const std::vector<int32_t> withGap{16, 18};  // deleted ids are reused only at the top
    EXPECT_EQ(FreshMacroId(withGap), 19);
    // Unsigned comparison: a negative id is larger than any positive one.
    const std::vector<int32_t> negative{40, -5};
    EXPECT_EQ(FreshMacroId(negative), -4);
    const std::vector<int32_t> top{INT32_MAX};
    EXPECT_EQ(FreshMacroId(top), INT32_MIN);
    // 0xFFFFFFFF + 1 would be 0, which means "no macro": the lowest free id instead.
    const std::vector<int32_t> wrap{-1, 16, 17};
    EXPECT_EQ(FreshMacroId(wrap), 18);
}

TEST(UniqueMacroNameTest, SuffixesCountUpUntilNoEntryMatches) {
    EXPECT_EQ(Unique(u"Jump", {}), u"Jump");
    EXPECT_EQ(Unique(u"Jump", {u"Jump"}), u"Jump(1)");
    EXPECT_EQ(Unique(u"Jump", {u"Jump", u"Jump(1)"}), u"Jump(2)");
    // An entry earlier in the list is found again by the next pass.
    EXPECT_EQ(Unique(u"Jump", {u"Jump(1)", u"Jump"}), u"Jump(2)");
    EXPECT_EQ(Unique(u"Jump(1)", {u"Jump(1)"}), u"Jump(2)");
    EXPECT_EQ(Unique(u"x(y)", {u"x(y)"}), u"x(1)");
    // Case-sensitive, exact.
    EXPECT_EQ(Unique(u"jump", {u"Jump"}), u"jump");
    EXPECT_EQ(Unique(u"Jump ", {u"Jump"}), u"Jump ");
}

TEST(UniqueMacroNameTest, TheNumberIsReadLikeTheRuntimeDoes) {
    EXPECT_EQ(NextNameCandidate(u"a( 7)"), u"a(8)");
    EXPECT_EQ(NextNameCandidate(u"a(+7)"), u"a(8)");
    EXPECT_EQ(NextNameCandidate(u"a(-7)"), u"a(-6)");
    EXPECT_EQ(NextNameCandidate(u"a(-1)"), u"a(0)");
    EXPECT_EQ(NextNameCandidate(u"a(007)"), u"a(8)");
    EXPECT_EQ(NextNameCandidate(u"a(3x)"), u"a(4)");
    // The last character is left out, whatever it is.
    EXPECT_EQ(NextNameCandidate(u"a(12"), u"a(2)");
    EXPECT_EQ(NextNameCandidate(u"a(1)b"), u"a(2)");
    EXPECT_EQ(NextNameCandidate(u"a(b(3))"), u"a(1)");
    // A "(" at the very end leaves no number text at all.
    EXPECT_EQ(NextNameCandidate(u"a("), u"a(1)");
    EXPECT_EQ(NextNameCandidate(u"("), u"(1)");
}

TEST(UniqueMacroNameTest, HugeNumbersNeitherOverflowNorLoop) {
    EXPECT_EQ(NextNameCandidate(u"a(2147483647)"), u"a(2147483648)");
    EXPECT_EQ(NextNameCandidate(u"a(99999999999999999999)"), u"a(100000000000000000000)");
    // A saturating conversion would produce a(2147483648) forever here.
    EXPECT_EQ(Unique(u"a(2147483647)", {u"a(2147483647)", u"a(2147483648)"}), u"a(2147483649)");
}

TEST(FileNameTest, ValidNamesAreKeptAsTheyAre) {
    for (const std::u16string name : {u"Jump", u"Jump(1)", u"a.b", u".hidden", u"CONSOLE", u"COM10",
                                      u"con1", u"Ünïcode \U0001F600"}) {
        EXPECT_TRUE(IsValidFileName(name)) << std::string(name.begin(), name.end());
        EXPECT_EQ(SafeFileName(name), name);
    }
}

TEST(FileNameTest, InvalidNamesGetSafeFileNames) {
    const std::vector<std::pair<std::u16string, std::u16string>> cases{
        {u"", u"_"},
        {u"a/b", u"a_b"},
        {u"a\\b:c*d?e\"f<g>h|i", u"a_b_c_d_e_f_g_h_i"},
        {u"tab\there", u"tab_here"},
        {u"end.", u"end_"},
        {u"end. .", u"end___"},
        {u"...", u"___"},
        {u"CON", u"_CON"},
        {u"con", u"_con"},
        {u"Lpt1", u"_Lpt1"},
        {u"nul.txt", u"_nul.txt"},
        {u"COM3 .x", u"_COM3 .x"},
        {u"AUX ", u"AUX_"},     // no longer a device name once the blank is replaced
        {u"a\xD800z", u"a_z"},  // an unpaired surrogate
        {u"\xDC00", u"_"},
    };
    for (const auto& [name, safe] : cases) {
        EXPECT_FALSE(IsValidFileName(name));
        EXPECT_EQ(SafeFileName(name), safe);
        EXPECT_TRUE(IsValidFileName(SafeFileName(name)));
    }
}

TEST(FileNameTest, LongNamesAreCutWithoutSplittingACharacter) {
    const std::u16string exact(kMaxMacroFileNameUnits, u'x');
    EXPECT_TRUE(IsValidFileName(exact));
    const std::u16string longer = exact + u"y";
    EXPECT_FALSE(IsValidFileName(longer));
    EXPECT_EQ(SafeFileName(longer), exact.substr(1));
    // A pair that would straddle the limit is left out whole.
    const std::u16string pairs = std::u16string(kMaxMacroFileNameUnits - 2, u'x') + u"\U0001F600z";
    const std::u16string safe = SafeFileName(pairs);
    EXPECT_EQ(safe, std::u16string(kMaxMacroFileNameUnits - 2, u'x'));
    EXPECT_TRUE(IsValidFileName(safe));
}

}  // namespace
