// The sensor page's rules: resolutions written into the current profile as the sliders move,
// step switching, the lift distance sent to the mouse and the quality levels.

#include <gtest/gtest.h>

#include <climits>

#include "pages/logic/SensorRules.h"

namespace {

SliderModel DpiSlider() {
    SliderModel slider;
    slider.minimum = kDpiSliderMinimum;
    slider.maximum = kDpiSliderMaximum;
    slider.step = kDpiUnit;
    return slider;
}

// The two sliders as the page has them after initialisation, and the editor over them.
class SensorDpiTest : public testing::Test {
  protected:
    // The user drags X (or Y) to a position: the slider takes it and the page hears of it.
    void DragX(int32_t position, int step, bool separate) {
        ASSERT_TRUE(x.SetValue(position));
        editor.XMoved(profile, step, separate);
    }
    void DragY(int32_t position, int step, bool separate) {
        ASSERT_TRUE(y.SetValue(position));
        editor.YMoved(profile, step, separate);
    }
    int16_t StoredX(int step) const { return profile.dpi[2 * (step - 1)]; }
    int16_t StoredY(int step) const { return profile.dpi[2 * (step - 1) + 1]; }

    SliderModel x = DpiSlider();
    SliderModel y = DpiSlider();
    SensorDpiEditor editor{x, y};
    Profile profile;
};

TEST_F(SensorDpiTest, MovingOneSliderWithoutSeparationSetsBothAndStoresUnitsOf90) {
    DragX(1800, 1, false);
    EXPECT_EQ(StoredX(1), 20);
    EXPECT_EQ(StoredY(1), 20);
    EXPECT_EQ(y.value, 1800);
    // Y moved without a report of its own: a later drag of Y to 1800 is no change.
    EXPECT_EQ(y.lastReported, 1800);

    DragY(900, 1, false);
    EXPECT_EQ(x.value, 900);
    EXPECT_EQ(StoredX(1), 10);
    EXPECT_EQ(StoredY(1), 10);
    // The other steps are untouched.
    EXPECT_EQ(StoredX(2), 23);
    EXPECT_EQ(StoredY(3), 45);
}

TEST_F(SensorDpiTest, WithSeparationEachSliderChangesOnlyItsOwnAxis) {
    editor.ShowStepResolution(profile, 2, true);
    DragX(1800, 2, true);
    EXPECT_EQ(StoredX(2), 20);
    EXPECT_EQ(StoredY(2), 23);
    EXPECT_EQ(y.value, 23 * 90);
    DragY(5400, 2, true);
    EXPECT_EQ(StoredY(2), 60);
    EXPECT_EQ(StoredX(2), 20);
    EXPECT_EQ(x.value, 1800);
}

TEST_F(SensorDpiTest, ChoosingAnotherStepKeepsTheEditsAndShowsTheNewStepsValues) {
    profile.separateXY = 1;
    editor.ShowStepResolution(profile, 1, true);
    DragX(2700, 1, true);
    DragY(450, 1, true);
    editor.StepChosen(profile, 1, 3);
    EXPECT_EQ(StoredX(1), 30);
    EXPECT_EQ(StoredY(1), 5);
    EXPECT_EQ(x.value, 45 * 90);
    EXPECT_EQ(y.value, 45 * 90);
    // Back to step 1: its edits come back and step 3 was stored as shown.
    editor.StepChosen(profile, 3, 1);
    EXPECT_EQ(x.value, 2700);
    EXPECT_EQ(y.value, 450);
    EXPECT_EQ(StoredX(3), 45);
    EXPECT_EQ(StoredY(3), 45);
    // A choice outside 1 .. 3 stores nothing into a step that does not exist.
    const Profile before = profile;
    editor.StepChosen(profile, 0, 4);
    EXPECT_EQ(profile.dpi, before.dpi);
}

TEST_F(SensorDpiTest, ShowingInconsistentDataWithoutSeparationMakesYFollowX) {
    profile.dpi[0] = 10;
    profile.dpi[1] = 20;
    editor.ShowStepResolution(profile, 1, false);
    EXPECT_EQ(x.value, 900);
    EXPECT_EQ(y.value, 900);
    EXPECT_EQ(StoredX(1), 10);
    EXPECT_EQ(StoredY(1), 10);
}

TEST_F(SensorDpiTest, ShowingConsistentOrSeparatedDataLeavesTheProfileAsItWas) {
    editor.ShowStepResolution(profile, 3, false);
    EXPECT_EQ(x.value, 45 * 90);
    EXPECT_EQ(y.value, 45 * 90);
    EXPECT_EQ(profile.dpi, (std::array<int16_t, 6>{9, 9, 23, 23, 45, 45}));

    profile.dpi[2] = 10;
    profile.dpi[3] = 20;
    editor.ShowStepResolution(profile, 2, true);
    EXPECT_EQ(x.value, 900);
    EXPECT_EQ(y.value, 1800);
    EXPECT_EQ(StoredY(2), 20);
}

TEST_F(SensorDpiTest, TurningSeparationOffBringsYToXAndTurningItOnChangesNothing) {
    profile.dpi[0] = 10;
    profile.dpi[1] = 20;
    editor.ShowStepResolution(profile, 1, true);
    editor.SeparateClicked(profile, 1, false);
    EXPECT_EQ(y.value, 1800);
    EXPECT_EQ(StoredY(1), 20);

    editor.SeparateClicked(profile, 1, true);
    EXPECT_EQ(x.value, 900);
    EXPECT_EQ(y.value, 900);
    EXPECT_EQ(StoredX(1), 10);
    EXPECT_EQ(StoredY(1), 10);
    // Already equal: nothing happens.
    editor.SeparateClicked(profile, 1, true);
    EXPECT_EQ(StoredY(1), 10);
}

TEST(SensorLift, TheMouseIsSentSixToThirtyOne) {
    for (int32_t position = 1; position <= 5; ++position) {
        EXPECT_EQ(LiftDistanceToSend(position), 6) << position;
    }
    for (int32_t position = 6; position <= 31; ++position) {
        EXPECT_EQ(LiftDistanceToSend(position), position);
    }
    EXPECT_EQ(LiftDistanceToSend(32), 31);
    EXPECT_EQ(LiftDistanceToSend(INT32_MIN), 6);
    EXPECT_EQ(LiftDistanceToSend(1000), 31);
}

TEST(SensorQuality, EveryBoundaryOfTheLevelTable) {
    const std::pair<int32_t, int32_t> cases[] = {
        {INT32_MIN, 0}, {-5, 0},   {0, 0},    {1, 0},         {2, 1},  {10, 1}, {11, 2},
        {20, 2},        {21, 3},   {30, 3},   {31, 4},        {40, 4}, {41, 5}, {50, 5},
        {51, 6},        {60, 6},   {61, 7},   {70, 7},        {71, 8}, {90, 8}, {91, 9},
        {110, 9},       {111, 10}, {300, 10}, {INT32_MAX, 10}};
    for (const auto& [count, level] : cases) {
        EXPECT_EQ(QualityLevel(count), level) << count;
    }
}

}  // namespace
