#include <gtest/gtest.h>

#include "skin/logic/ProgressMath.h"
#include "skin/logic/ScrollMath.h"
#include "skin/logic/SliderMath.h"

namespace {

// A slider whose thumb travel equals its range, so that a pointer at x selects
// x - thumbWidth / 2 - left + minimum before snapping.
constexpr int32_t kThumb = 20;
constexpr int32_t kLeft = 0;

SliderModel DpiSlider() {
    SliderModel slider;
    slider.minimum = 90;
    slider.maximum = 5400;
    slider.step = 90;
    return slider;
}

constexpr int32_t kDpiRight = kLeft + kThumb + (5400 - 90);

int32_t PointerFor(int32_t rawValue) {
    return rawValue - 90 + kThumb / 2 + kLeft;
}

TEST(SliderValue, SnapsToTheNearestStepWithRemainderAboveHalfRoundingUp) {
    SliderModel slider = DpiSlider();
    EXPECT_EQ(slider.ValueAtPointer(PointerFor(1934), kLeft, kDpiRight, kThumb), 1890);
    EXPECT_EQ(slider.ValueAtPointer(PointerFor(1936), kLeft, kDpiRight, kThumb), 1980);
    // 45 is exactly half a step and stays down.
    EXPECT_EQ(slider.ValueAtPointer(PointerFor(1935), kLeft, kDpiRight, kThumb), 1890);
    EXPECT_EQ(SnapToStep(1934, 90), 1890);
    EXPECT_EQ(SnapToStep(1936, 90), 1980);
}

TEST(SliderValue, StepOneLeavesEveryValueAndPointersBeyondTheTrackClamp) {
    SliderModel slider;
    slider.minimum = 1;
    slider.maximum = 32;
    const int32_t right = kLeft + kThumb + 31;
    for (int32_t raw = 1; raw <= 32; ++raw) {
        EXPECT_EQ(slider.ValueAtPointer(raw - 1 + kThumb / 2, kLeft, right, kThumb), raw);
    }
    EXPECT_EQ(slider.ValueAtPointer(-500, kLeft, right, kThumb), 1);
    EXPECT_EQ(slider.ValueAtPointer(5000, kLeft, right, kThumb), 32);
}

TEST(SliderValue, RoundsHalfUpInSinglePrecision) {
    EXPECT_EQ(RoundTrackValue(3.5f), 4);
    EXPECT_EQ(RoundTrackValue(3.49f), 3);
    // Negative values truncate toward zero and never round.
    EXPECT_EQ(RoundTrackValue(-2.7f), -2);
    // Travel 2 over a range of 1: the pointer one pixel in computes to exactly 0.5.
    SliderModel slider;
    slider.maximum = 1;
    EXPECT_EQ(slider.ValueAtPointer(1 + 5, 0, 10 + 2, 10), 1);
}

TEST(SliderValue, DegenerateTracksGiveTheMinimum) {
    SliderModel slider;
    slider.minimum = 7;
    slider.maximum = 7;
    EXPECT_EQ(slider.ValueAtPointer(50, 0, 100, 10), 7);
    EXPECT_EQ(slider.ThumbCentre(0, 100, 10), 5);
    slider.maximum = 20;
    // Track as narrow as the thumb.
    EXPECT_EQ(slider.ValueAtPointer(50, 0, 10, 10), 7);
}

TEST(SliderReport, FirstPointerValueIsAlwaysReportedThenOnlyChanges) {
    SliderModel slider;  // value 0, last report unset
    const int32_t right = kThumb + 100;
    EXPECT_TRUE(slider.TrackPointer(kThumb / 2, 0, right, kThumb));  // 0 equals the value
    EXPECT_EQ(slider.lastReported, 0);
    EXPECT_FALSE(slider.TrackPointer(kThumb / 2, 0, right, kThumb));
    EXPECT_TRUE(slider.TrackPointer(kThumb / 2 + 40, 0, right, kThumb));
    EXPECT_EQ(slider.value, 40);
}

TEST(SliderReport, SetValueEqualToTheLastReportDoesNothingEvenWhenDisplayDiffers) {
    SliderModel slider;
    EXPECT_TRUE(slider.SetValue(30));
    slider.value = 55;  // the owner wrote the field directly
    EXPECT_FALSE(slider.SetValue(30));
    EXPECT_EQ(slider.value, 55);
    // No clamping and no snapping.
    slider.step = 7;
    EXPECT_TRUE(slider.SetValue(500));
    EXPECT_EQ(slider.value, 500);
}

TEST(SliderGeometry, ThumbCentreAndValueLabel) {
    SliderModel slider = DpiSlider();
    slider.value = 90;
    EXPECT_EQ(slider.ThumbCentre(0, 410, 12), 6);
    slider.value = 5400;
    EXPECT_EQ(slider.ThumbCentre(0, 410, 12), 404);
    slider.value = 2745;  // exactly half way: travel 398 * 0.5
    EXPECT_EQ(slider.ThumbCentre(0, 410, 12), 199 + 6);
    // The label box is two thumbs wide, cut at the client edges.
    EXPECT_EQ(slider.LabelRect(6, 0, 410, 0, 12, 16), (PixelRect{0, 16, 18, 36}));
    EXPECT_EQ(slider.LabelRect(205, 0, 410, 0, 12, 16), (PixelRect{193, 16, 217, 36}));
    // At 200 % (thumb and track doubled) the label is its 96-DPI rectangle doubled.
    EXPECT_EQ(slider.LabelRect(12, 0, 820, 0, 24, 32, DisplayScale(192)),
              (PixelRect{0, 32, 36, 72}));
}

ScrollModel VerticalBar() {
    ScrollModel bar;
    bar.LayOut(23, 222, 16, 16, 56);
    return bar;
}

TEST(ScrollGeometry, OrientationFollowsTheLongerSide) {
    ScrollModel bar = VerticalBar();
    EXPECT_EQ(bar.orientation, ScrollOrientation::kVertical);
    EXPECT_EQ(bar.firstArrow, (PixelRect{0, 0, 23, 16}));
    EXPECT_EQ(bar.secondArrow, (PixelRect{0, 206, 23, 222}));
    EXPECT_EQ(bar.track, (PixelRect{0, 16, 23, 206}));
    EXPECT_EQ(bar.thumb, (PixelRect{0, 16, 23, 72}));

    ScrollModel wide;
    wide.LayOut(200, 20, 10, 12, 30);
    EXPECT_EQ(wide.orientation, ScrollOrientation::kHorizontal);
    EXPECT_EQ(wide.secondArrow, (PixelRect{188, 0, 200, 20}));
    EXPECT_EQ(wide.track, (PixelRect{10, 0, 188, 20}));
    EXPECT_EQ(wide.HitTest(5, 5), ScrollPart::kFirstArrow);
    EXPECT_EQ(wide.HitTest(20, 5), ScrollPart::kThumb);
    EXPECT_EQ(wide.HitTest(100, 5), ScrollPart::kNone);
    EXPECT_EQ(wide.HitTest(195, 5), ScrollPart::kSecondArrow);
}

TEST(ScrollPosition, SetPosClampsAndPlacesTheThumb) {
    ScrollModel bar = VerticalBar();
    bar.minimum = 12;
    bar.maximum = 14;
    EXPECT_EQ(bar.SetPos(99), 14);
    EXPECT_EQ(bar.thumb, (PixelRect{0, 150, 23, 206}));
    EXPECT_EQ(bar.SetPos(-3), 12);
    EXPECT_EQ(bar.thumb.top, 16);
    EXPECT_EQ(bar.SetPos(13), 13);
    EXPECT_EQ(bar.thumb.top, 16 + 67);  // trunc(134 * 0.5)
}

TEST(ScrollPosition, EmptyRangeKeepsTheThumbAtTheTrackStart) {
    ScrollModel bar = VerticalBar();
    bar.minimum = 5;
    bar.maximum = 5;
    for (int32_t p : {-10, 5, 40}) {
        EXPECT_EQ(bar.SetPos(p), 5);
        EXPECT_EQ(bar.thumb.top, bar.track.top);
    }
    EXPECT_EQ(bar.PositionAtPointer(200), 5);
}

TEST(ScrollPosition, PointerAtHalfRoundsUpInBothOrientations) {
    // Travel 20 over a range of 10: every second pixel lies on n + 0.5.
    ScrollModel vertical;
    vertical.LayOut(10, 60, 10, 10, 20);
    vertical.maximum = 10;
    ScrollModel horizontal;
    horizontal.LayOut(60, 10, 10, 10, 20);
    horizontal.maximum = 10;
    for (ScrollModel* bar : {&vertical, &horizontal}) {
        // Coordinate = start (10) + half thumb (10) + 7 → 3.5
        EXPECT_EQ(bar->PositionAtPointer(27), 4);
        EXPECT_EQ(bar->PositionAtPointer(26), 3);
        EXPECT_EQ(bar->PositionAtPointer(0), 0);
        EXPECT_EQ(bar->PositionAtPointer(100), 10);
    }
}

TEST(ScrollPosition, TrackingReportsChangesButNotTheFirstComputation) {
    ScrollModel bar;
    bar.LayOut(10, 60, 10, 10, 20);
    bar.maximum = 10;
    EXPECT_EQ(bar.TrackPointer(30), std::nullopt);
    EXPECT_EQ(bar.position, 5);
    EXPECT_EQ(bar.TrackPointer(30), std::nullopt);
    EXPECT_EQ(bar.TrackPointer(34), std::optional<int32_t>(7));
    EXPECT_EQ(bar.thumb.top, 10 + 14);
}

TEST(Progress, FillsInProportionAndClampsOutsideTheRange) {
    EXPECT_EQ(ProgressFillLength(0, 100, 50, 101), 50);
    EXPECT_EQ(ProgressFillLength(0, 10, 10, 103), 103);
    EXPECT_EQ(ProgressFillLength(0, 10, 15, 103), 103);
    EXPECT_EQ(ProgressFillLength(0, 10, -4, 103), 0);
    EXPECT_EQ(ProgressFillLength(3, 3, 3, 103), 0);
}

}  // namespace
