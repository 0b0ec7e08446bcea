#include "skin/logic/ScrollMath.h"

#include <algorithm>

#include "skin/logic/SliderMath.h"

void ScrollModel::LayOut(int32_t width, int32_t height, int32_t firstArrowLength,
                         int32_t secondArrowLength, int32_t thumbLength) {
    if (width > height) {
        orientation = ScrollOrientation::kHorizontal;
        firstArrow = {0, 0, firstArrowLength, height};
        secondArrow = {width - secondArrowLength, 0, width, height};
        track = {firstArrowLength, 0, width - secondArrowLength, height};
        thumb = {firstArrowLength, 0, firstArrowLength + thumbLength, height};
    } else {
        orientation = ScrollOrientation::kVertical;
        firstArrow = {0, 0, width, firstArrowLength};
        secondArrow = {0, height - secondArrowLength, width, height};
        track = {0, firstArrowLength, width, height - secondArrowLength};
        thumb = {0, firstArrowLength, width, firstArrowLength + thumbLength};
    }
    PlaceThumb();
}

int32_t ScrollModel::TrackStart() const {
    return orientation == ScrollOrientation::kHorizontal ? track.left : track.top;
}

int32_t ScrollModel::TrackEnd() const {
    return orientation == ScrollOrientation::kHorizontal ? track.right : track.bottom;
}

int32_t ScrollModel::ThumbLength() const {
    return orientation == ScrollOrientation::kHorizontal ? thumb.Width() : thumb.Height();
}

int32_t ScrollModel::SetPos(int32_t newPosition) {
    position = std::clamp(newPosition, std::min(minimum, maximum), std::max(minimum, maximum));
    PlaceThumb();
    return position;
}

void ScrollModel::PlaceThumb() {
    const int32_t start = TrackStart();
    const int32_t length = ThumbLength();
    int32_t begin = start;
    if (maximum != minimum) {
        const float ratio =
            static_cast<float>(position - minimum) / static_cast<float>(maximum - minimum);
        begin += static_cast<int32_t>(static_cast<float>(TrackEnd() - start - length) * ratio);
    }
    if (orientation == ScrollOrientation::kHorizontal) {
        thumb = {begin, track.top, begin + length, track.bottom};
    } else {
        thumb = {track.left, begin, track.right, begin + length};
    }
}

int32_t ScrollModel::PositionAtPointer(int32_t coordinate) const {
    const int32_t start = TrackStart();
    const int32_t length = ThumbLength();
    const int32_t travel = TrackEnd() - start - length;
    int32_t result = minimum;
    // A track no longer than the thumb cannot move it: the bar stays at its minimum.
    if (travel > 0 && maximum != minimum) {
        const float v = static_cast<float>(coordinate - length / 2 - start) *
                            static_cast<float>(maximum - minimum) / static_cast<float>(travel) +
                        static_cast<float>(minimum);
        result = RoundTrackValue(v);
    }
    return std::clamp(result, std::min(minimum, maximum), std::max(minimum, maximum));
}

std::optional<int32_t> ScrollModel::TrackPointer(int32_t coordinate) {
    SetPos(PositionAtPointer(coordinate));
    const bool report = lastTracked.has_value() && *lastTracked != position;
    lastTracked = position;
    return report ? std::optional<int32_t>(position) : std::nullopt;
}

ScrollPart ScrollModel::HitTest(int32_t x, int32_t y) const {
    if (firstArrow.Contains(x, y)) {
        return ScrollPart::kFirstArrow;
    }
    if (secondArrow.Contains(x, y)) {
        return ScrollPart::kSecondArrow;
    }
    if (thumb.Contains(x, y)) {
        return ScrollPart::kThumb;
    }
    return ScrollPart::kNone;
}
