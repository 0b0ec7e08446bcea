#pragma once
// Value arithmetic of the skinned slider: where the thumb stands for a value, which value a pointer
// position means, and when a value has to be reported to the parent.

#include <climits>
#include <cstdint>

#include "skin/logic/DisplayScale.h"
#include "skin/logic/PixelRect.h"

// Rounds a single-precision value to an integer the way the sliders and scroll bars do: truncate
// toward zero, then add one when the dropped fraction is at least one half.
int32_t RoundTrackValue(float value);

// Snaps to a multiple of the step; a remainder above half a step rounds up. Steps below 1 count
// as 1.
int32_t SnapToStep(int32_t value, int32_t step);

struct SliderModel {
    // Outside every range a slider can have, so that the first value is always reported.
    static constexpr int32_t kNoValueReported = INT32_MIN;

    int32_t minimum = 0;
    int32_t maximum = 100;
    int32_t value = 0;
    int32_t step = 1;
    int32_t lastReported = kNoValueReported;

    // The thumb's horizontal centre in a client area from `left` to `right` for a thumb
    // `thumbWidth` wide.
    int32_t ThumbCentre(int32_t left, int32_t right, int32_t thumbWidth) const;
    // The clamped and snapped value that a pointer at x selects.
    int32_t ValueAtPointer(int32_t x, int32_t left, int32_t right, int32_t thumbWidth) const;
    // Takes the value at the pointer; true when it differs from the last report, which it then
    // becomes.
    bool TrackPointer(int32_t x, int32_t left, int32_t right, int32_t thumbWidth);
    // value := last reported := newValue unless it equals the last report; true when it changed.
    bool SetValue(int32_t newValue);
    // Where the value is written under a thumb centred at x; thumb w x h, client left..right from
    // top, all in the pixels of `scale`, which sets the label's height.
    PixelRect LabelRect(int32_t x, int32_t left, int32_t right, int32_t top, int32_t thumbWidth,
                        int32_t thumbHeight,
                        const DisplayScale& scale = DisplayScale(DisplayScale::kBaseDpi)) const;
};
