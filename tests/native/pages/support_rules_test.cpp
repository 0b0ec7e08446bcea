// The support page's rules: the firmware version text and the updater's argument.

#include <gtest/gtest.h>

#include "pages/logic/LeadingInteger.h"
#include "pages/logic/SupportRules.h"

namespace {

TEST(SupportVersionText, NoMouseInRangeAndOutOfRange) {
    EXPECT_EQ(FirmwareVersionText(std::nullopt), L"-.--");
    EXPECT_EQ(FirmwareVersionText(109), L"1.09");
    EXPECT_EQ(FirmwareVersionText(100), L"1.00");
    EXPECT_EQ(FirmwareVersionText(123), L"1.23");
    EXPECT_EQ(FirmwareVersionText(200), L"2.00");
    EXPECT_EQ(FirmwareVersionText(99), L"0.00");
    EXPECT_EQ(FirmwareVersionText(201), L"0.00");
    EXPECT_EQ(FirmwareVersionText(-109), L"0.00");
    EXPECT_EQ(FirmwareVersionText(0), L"0.00");
}

TEST(SupportUpdaterArgument, PackageAgainstMouse) {
    EXPECT_EQ(UpdaterArgument(L"109", 109), L"3");
    EXPECT_EQ(UpdaterArgument(L"110", 109), L"1");
    EXPECT_EQ(UpdaterArgument(L"108", 109), L"0");
    // No config file, section or key: the default reads as 1000, newer than any real mouse.
    EXPECT_EQ(UpdaterArgument(kFirmwareVersionDefault, 109), L"1");
    // Only the leading number counts; a value that is no number reads as 0.
    EXPECT_EQ(UpdaterArgument(L"  110 (1.10)", 109), L"1");
    EXPECT_EQ(UpdaterArgument(L"v110", 109), L"0");
    EXPECT_EQ(UpdaterArgument(L"", 0), L"3");
    // A mouse reporting a negative version is older than any package.
    EXPECT_EQ(UpdaterArgument(L"109", -1), L"1");
}

TEST(SupportUpdaterArgument, LeadingIntegerReadsLikeTheLibraryAndNeverOverflows) {
    EXPECT_EQ(LeadingInteger(L"109"), 109);
    EXPECT_EQ(LeadingInteger(L"\t 42x"), 42);
    EXPECT_EQ(LeadingInteger(L"+7"), 7);
    EXPECT_EQ(LeadingInteger(L"-12"), -12);
    EXPECT_EQ(LeadingInteger(L"- 12"), 0);
    EXPECT_EQ(LeadingInteger(L"x1"), 0);
    EXPECT_EQ(LeadingInteger(L""), 0);
    EXPECT_EQ(LeadingInteger(L"99999999999999999999999"), INT32_MAX);
    EXPECT_EQ(LeadingInteger(L"-2147483648"), INT32_MIN);
    EXPECT_EQ(LeadingInteger(L"-99999999999999999999999"), INT32_MIN);
    // Held at the limit, a huge package version is still "newer".
    EXPECT_EQ(UpdaterArgument(L"99999999999999999999", 109), L"1");
}

}  // namespace
