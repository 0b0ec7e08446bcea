#include "pages/logic/SensorRules.h"

#include <algorithm>

uint8_t LiftDistanceToSend(int32_t position) {
    return static_cast<uint8_t>(std::clamp(position, kLiftSentMinimum, kLiftSentMaximum));
}

int32_t QualityLevel(int32_t count) {
    // Upper bound of each level; above the last one the level is 10.
    constexpr int32_t kUpperBounds[] = {1, 10, 20, 30, 40, 50, 60, 70, 90, 110};
    int32_t level = 0;
    for (int32_t bound : kUpperBounds) {
        if (count <= bound) {
            return level;
        }
        ++level;
    }
    return kQualityLevelMaximum;
}

void SensorDpiEditor::XMoved(Profile& profile, int step, bool separate) {
    if (!IsDpiStep(step)) {
        return;
    }
    StoredX(profile, step) = DpiOfSliderPosition(x_.value);
    if (!separate) {
        y_.SetValue(x_.value);
        StoredY(profile, step) = DpiOfSliderPosition(y_.value);
    }
}

void SensorDpiEditor::YMoved(Profile& profile, int step, bool separate) {
    if (!IsDpiStep(step)) {
        return;
    }
    StoredY(profile, step) = DpiOfSliderPosition(y_.value);
    if (!separate) {
        x_.SetValue(y_.value);
        StoredX(profile, step) = DpiOfSliderPosition(x_.value);
    }
}

void SensorDpiEditor::StepChosen(Profile& profile, int oldStep, int newStep) {
    if (IsDpiStep(oldStep)) {
        StoredX(profile, oldStep) = DpiOfSliderPosition(x_.value);
        StoredY(profile, oldStep) = DpiOfSliderPosition(y_.value);
    }
    if (IsDpiStep(newStep)) {
        x_.SetValue(SliderPositionOfDpi(StoredX(profile, newStep)));
        y_.SetValue(SliderPositionOfDpi(StoredY(profile, newStep)));
    }
}

void SensorDpiEditor::SeparateClicked(Profile& profile, int step, bool wasChecked) {
    // Turning separation off brings Y to X; the box still counts as checked meanwhile, so the
    // move of Y leaves X alone.
    if (wasChecked && y_.SetValue(x_.value)) {
        YMoved(profile, step, true);
    }
}

void SensorDpiEditor::ShowStepResolution(Profile& profile, int step, bool separate) {
    if (!IsDpiStep(step)) {
        return;
    }
    if (x_.SetValue(SliderPositionOfDpi(StoredX(profile, step)))) {
        XMoved(profile, step, separate);
    }
    // Read only now: with separation off the move of X has just replaced the stored Y.
    if (y_.SetValue(SliderPositionOfDpi(StoredY(profile, step)))) {
        YMoved(profile, step, separate);
    }
}
