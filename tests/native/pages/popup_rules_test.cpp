// The pop-up's countdown and its layouts in every mode.

#include <gtest/gtest.h>

#include <vector>

#include "PopDlgLayout.h"
#include "PopupRules.h"
#include "SkinSheets.h"

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

TEST(PopupLayouts, EveryModeFitsThePopupAndUsesItsOwnFamilysPieces) {
    ASSERT_NE(FindPopupLayout(146), nullptr);
    EXPECT_EQ(FindPopupLayout(130), nullptr);
    for (size_t i = 0; i < kPopupLayouts.size(); ++i) {
        const PopupLayout& layout = kPopupLayouts[i];
        // The family's pieces run up to the next family's background.
        const int nextFamily = i + 1 < kPopupLayouts.size() ? kPopupLayouts[i + 1].mode : 151;
        std::vector<ControlPlace> shown{layout.ok, layout.close};
        if (layout.HasCancel()) {
            shown.push_back(layout.cancel);
        }
        if (layout.ShowsTime()) {
            shown.push_back(layout.time);
        }
        if (layout.ShowsImage()) {
            shown.push_back(layout.image);
        }
        for (const ControlPlace& place : shown) {
            EXPECT_GE(place.rect.left, 0) << layout.mode;
            EXPECT_GE(place.rect.top, 0) << layout.mode;
            EXPECT_LE(place.rect.right, kPopupWidth) << layout.mode;
            EXPECT_LE(place.rect.bottom, kPopupHeight) << layout.mode;
            EXPECT_GT(place.piece, layout.mode) << layout.mode;
            EXPECT_LT(place.piece, nextFamily) << layout.mode;
        }
        EXPECT_EQ(layout.close.rect, (PixelRect{348, 0, 375, 23}));
    }
    // The warning and the last analysis screen have no Cancel.
    EXPECT_FALSE(FindPopupLayout(122)->HasCancel());
    EXPECT_FALSE(FindPopupLayout(139)->HasCancel());
    EXPECT_TRUE(FindPopupLayout(129)->HasCancel());
    EXPECT_TRUE(CapturesKeys(146));
    EXPECT_FALSE(CapturesKeys(133));
}

}  // namespace
