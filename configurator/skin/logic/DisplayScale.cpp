#include "skin/logic/DisplayScale.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace {

int64_t FloorDiv(int64_t value, int64_t divisor) {
    const int64_t quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

}  // namespace

DisplayScale DisplayScale::FromPercent(int percent) {
    return DisplayScale(static_cast<uint32_t>(std::max(percent, 1)) * kBaseDpi / 100);
}

int32_t DisplayScale::Scale(int32_t value) const {
    const int64_t scaled =
        FloorDiv(int64_t{value} * dpi_ + kBaseDpi / 2, static_cast<int64_t>(kBaseDpi));
    return static_cast<int32_t>(std::clamp<int64_t>(scaled, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int32_t DisplayScale::Unscale(int32_t pixel) const {
    // Scale(v) <= p  <=>  v * dpi + 48 < 96 * (p + 1)  <=>  v <= (96 * p + 47) / dpi
    const int64_t value = FloorDiv(int64_t{pixel} * kBaseDpi + (kBaseDpi / 2 - 1), int64_t{dpi_});
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

PixelRect DisplayScale::Scale(const PixelRect& rect) const {
    return {Scale(rect.left), Scale(rect.top), Scale(rect.right), Scale(rect.bottom)};
}

ScalePoint DisplayScale::Scale(ScalePoint point) const {
    return {Scale(point.x), Scale(point.y)};
}

std::vector<ScalePoint> DisplayScale::Scale(const std::vector<ScalePoint>& polygon) const {
    std::vector<ScalePoint> scaled;
    scaled.reserve(polygon.size());
    for (const ScalePoint& point : polygon)
        scaled.push_back(Scale(point));
    return scaled;
}

int DisplayScale::ArtPercent() const {
    for (const int percent : kArtPercents) {
        // percent / 100 >= dpi / 96, without rounding
        if (static_cast<uint64_t>(percent) * kBaseDpi >= uint64_t{dpi_} * 100)
            return percent;
    }
    return kArtPercents[std::size(kArtPercents) - 1];
}

bool DisplayScale::ArtFitsExactly() const {
    return static_cast<uint64_t>(ArtPercent()) * kBaseDpi == uint64_t{dpi_} * 100;
}
