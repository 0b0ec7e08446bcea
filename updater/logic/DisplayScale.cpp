#include "logic/DisplayScale.h"

#include <algorithm>
#include <limits>

namespace {

int64_t FloorDiv(int64_t value, int64_t divisor) {
    const int64_t quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

}  // namespace

int32_t DisplayScale::Scale(int32_t value) const {
    const int64_t scaled =
        FloorDiv(int64_t{value} * dpi_ + kBaseDpi / 2, static_cast<int64_t>(kBaseDpi));
    return static_cast<int32_t>(std::clamp<int64_t>(scaled, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

ScaledRect DisplayScale::Scale(const ScaledRect& rect) const {
    return {Scale(rect.left), Scale(rect.top), Scale(rect.right), Scale(rect.bottom)};
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

int DisplayScale::ArtResourceId(int id, int percent) {
    return percent == 100 ? id : id + 100 * percent;
}
