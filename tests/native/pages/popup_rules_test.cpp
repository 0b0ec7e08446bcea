// The pop-up's countdown of the surface analysis.

#include <gtest/gtest.h>

#include <vector>

#include "pages/logic/PopupRules.h"

namespace {

TEST(PopupCountdown, TenSecondsOfFramesThenOkOnTheEleventhTick) {
    std::wstring shown = kCountdownStart;
    std::vector<std::wstring> texts;
    std::vector<int> frames{0};  // the first frame shows with "10"
    int ticks = 0;
    for (;;) {
        ++ticks;
        ASSERT_LE(ticks, 20);
        const CountdownTick tick = NextCountdownTick(shown);
        if (tick.finished) {
            break;
        }
        shown = tick.text;
        texts.push_back(tick.text);
        frames.push_back(tick.frame);
    }
    EXPECT_EQ(ticks, 11);
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"9", L"8", L"7", L"6", L"5", L"4", L"3", L"2",
                                                L"1", L"0"}));
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2}));
}

TEST(PopupCountdown, TextsThatAreNoCountFinishAndHugeCountsStayInRange) {
    EXPECT_TRUE(NextCountdownTick(L"").finished);
    EXPECT_TRUE(NextCountdownTick(L"-3").finished);
    EXPECT_TRUE(NextCountdownTick(L"abc").finished);
    const CountdownTick huge = NextCountdownTick(L"2147483647");
    EXPECT_FALSE(huge.finished);
    EXPECT_EQ(huge.text, L"2147483646");
    EXPECT_GE(huge.frame, 0);
    EXPECT_LT(huge.frame, kAnimationFrames);
}

}  // namespace
