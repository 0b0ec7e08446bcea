#include "skin/logic/SliderMath.h"

#include <algorithm>
#include <cmath>

int32_t RoundTrackValue(float value) {
    // Keep the conversion defined for pointer positions far outside any track.
    const float limited = std::clamp(value, -2.0e9f, 2.0e9f);
    const int32_t whole = static_cast<int32_t>(limited);
    return limited - static_cast<float>(whole) >= 0.5f ? whole + 1 : whole;
}

int32_t SnapToStep(int32_t value, int32_t step) {
    if (step < 1) {
        step = 1;
    }
    const int32_t quotient = value / step;
    const int32_t remainder = value % step;
    return remainder > step / 2 ? (quotient + 1) * step : quotient * step;
}

int32_t SliderModel::ThumbCentre(int32_t left, int32_t right, int32_t thumbWidth) const {
    const int32_t travel = right - thumbWidth - left;
    int32_t offset = 0;
    if (maximum != minimum) {
        const float ratio =
            static_cast<float>(value - minimum) / static_cast<float>(maximum - minimum);
        offset =
            static_cast<int32_t>(std::clamp(static_cast<float>(travel) * ratio, -2.0e9f, 2.0e9f));
    }
    return left + offset + thumbWidth / 2;
}

int32_t SliderModel::ValueAtPointer(int32_t x, int32_t left, int32_t right,
                                    int32_t thumbWidth) const {
    const int32_t travel = right - thumbWidth - left;
    int32_t result = minimum;
    // A track no wider than the thumb, or an empty range, has only its minimum.
    if (travel > 0 && maximum != minimum) {
        const float t = static_cast<float>(x - thumbWidth / 2 - left) *
                            static_cast<float>(maximum - minimum) / static_cast<float>(travel) +
                        static_cast<float>(minimum);
        result = RoundTrackValue(t);
    }
    result = std::clamp(result, std::min(minimum, maximum), std::max(minimum, maximum));
    return SnapToStep(result, step);
}

bool SliderModel::TrackPointer(int32_t x, int32_t left, int32_t right, int32_t thumbWidth) {
    value = ValueAtPointer(x, left, right, thumbWidth);
    if (value == lastReported) {
        return false;
    }
    lastReported = value;
    return true;
}

bool SliderModel::SetValue(int32_t newValue) {
    if (newValue == lastReported) {
        return false;
    }
    value = newValue;
    lastReported = newValue;
    return true;
}

PixelRect SliderModel::LabelRect(int32_t x, int32_t left, int32_t right, int32_t top,
                                 int32_t thumbWidth, int32_t thumbHeight,
                                 const DisplayScale& scale) const {
    return {std::max(left, x - thumbWidth), top + thumbHeight, std::min(right, x + thumbWidth),
            top + thumbHeight + scale.Scale(20)};
}
