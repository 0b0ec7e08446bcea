#pragma once
// The sensor page's rules: resolutions in units of 90 DPI, the lift distance the mouse accepts,
// the surface quality levels, and how the X and Y sliders write into the current profile.

#include <cstdint>

#include "profiles/Profile.h"
#include "skin/logic/SliderMath.h"

// The X and Y sliders move in steps of one resolution unit.
inline constexpr int32_t kDpiUnit = 90;
inline constexpr int32_t kDpiSliderMinimum = 90;
inline constexpr int32_t kDpiSliderMaximum = 5400;
inline constexpr int32_t kPointerSpeedMinimum = 1;
inline constexpr int32_t kPointerSpeedMaximum = 10;
inline constexpr int32_t kPointerSpeedAtStart = 6;
inline constexpr int32_t kLiftSliderMinimum = 1;
inline constexpr int32_t kLiftSliderMaximum = 32;
// The mouse takes lift distances from 6 to 31 only.
inline constexpr int32_t kLiftSentMinimum = 6;
inline constexpr int32_t kLiftSentMaximum = 31;
inline constexpr int32_t kQualityLevelMaximum = 10;

// A stored resolution (units of 90 DPI) as a slider position, and back (integer division).
constexpr int32_t SliderPositionOfDpi(int16_t stored) {
    return static_cast<int32_t>(stored) * kDpiUnit;
}
constexpr int16_t DpiOfSliderPosition(int32_t position) {
    return static_cast<int16_t>(position / kDpiUnit);
}

// Said when Test, Save or Analyze Surface is pressed while the firmware updater that this
// program started still owns the mouse.
inline constexpr char16_t kUpdaterOwnsMouseText[] =
    u"The firmware updater is running. Try again when the update has finished.";

// The Lift Distance slider's position limited to what the mouse accepts.
uint8_t LiftDistanceToSend(int32_t position);

// The surface quality level 0 .. 10 of a measured count (compared as a signed number).
int32_t QualityLevel(int32_t count);

// The DPI steps are 1 .. 3; anything else selects no step and stores nothing.
constexpr bool IsDpiStep(int step) {
    return step >= 1 && step <= 3;
}

// Drives the X and Y sliders' values (the models inside the two slider controls) and writes
// the shown step's resolutions into the profile as they change. "With notification" below
// means: when the slider takes a new value, the page reacts as to a move of that slider. The
// window redraws both sliders after each call.
class SensorDpiEditor {
  public:
    SensorDpiEditor(SliderModel& xAxis, SliderModel& yAxis) : x_(xAxis), y_(yAxis) {}

    // The X slider moved (by the user or with notification).
    void XMoved(Profile& profile, int step, bool separate);
    void YMoved(Profile& profile, int step, bool separate);
    // Another step was chosen: the sliders go into the old step, then show the new one.
    void StepChosen(Profile& profile, int oldStep, int newStep);
    // The separate box was clicked; `wasChecked` is its state before it toggles.
    void SeparateClicked(Profile& profile, int step, bool wasChecked);
    // Loads both sliders from the step, each with notification, X first.
    void ShowStepResolution(Profile& profile, int step, bool separate);

  private:
    static int16_t& StoredX(Profile& profile, int step) { return profile.dpi[2 * (step - 1)]; }
    static int16_t& StoredY(Profile& profile, int step) { return profile.dpi[2 * (step - 1) + 1]; }

    SliderModel& x_;
    SliderModel& y_;
};
