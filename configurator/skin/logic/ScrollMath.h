#pragma once
// Geometry and position arithmetic of the skinned scroll bar: the parts' rectangles, where the
// thumb stands for a position and which position a pointer coordinate means.

#include <cstdint>
#include <optional>

#include "skin/logic/PixelRect.h"

enum class ScrollOrientation : int32_t { kHorizontal = 0, kVertical = 1 };

// Part of the bar hit by a press.
enum class ScrollPart : int32_t { kNone = 0, kFirstArrow = 1, kThumb = 2, kSecondArrow = 3 };

struct ScrollModel {
    int32_t minimum = 0;
    int32_t maximum = 100;
    int32_t position = 0;
    ScrollOrientation orientation = ScrollOrientation::kHorizontal;
    PixelRect firstArrow;
    PixelRect secondArrow;
    PixelRect track;
    PixelRect thumb;
    // Position last computed from the pointer; empty until the first computation.
    std::optional<int32_t> lastTracked;

    // Lays the parts out in a client area width x height; the bar runs along its longer side.
    // The lengths are taken along the bar: arrow images and thumb image.
    void LayOut(int32_t width, int32_t height, int32_t firstArrowLength, int32_t secondArrowLength,
                int32_t thumbLength);
    // Clamps to the range and moves the thumb; returns the clamped position.
    int32_t SetPos(int32_t newPosition);
    // The position a pointer coordinate along the bar selects, clamped to the range.
    int32_t PositionAtPointer(int32_t coordinate) const;
    // Takes the position at the pointer and moves the thumb. Returns the position to report: none
    // on the first computation or when it equals the last one.
    std::optional<int32_t> TrackPointer(int32_t coordinate);
    ScrollPart HitTest(int32_t x, int32_t y) const;

  private:
    int32_t TrackStart() const;
    int32_t TrackEnd() const;
    int32_t ThumbLength() const;
    void PlaceThumb();
};
