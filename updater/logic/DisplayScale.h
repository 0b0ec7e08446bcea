#pragma once
// The updater's windows at a display scale. Layouts and art are laid out in 96-DPI pixels; a
// window at another DPI scales every edge with one rounding rule, so a button's rectangle, the
// window's region and the art drawn for that scale meet at the same pixels. Art is drawn at a
// few scales; a window uses the art of its own scale, or the nearest larger one shrunk.

#include <cstdint>
#include <span>

struct ScaledRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool operator==(const ScaledRect&) const = default;
};

class DisplayScale {
  public:
    static constexpr uint32_t kBaseDpi = 96;
    // The scales, in percent, that the art is drawn at.
    static constexpr int kArtPercents[] = {100, 125, 150, 200};

    // A DPI of 0 (not known) counts as 96.
    explicit DisplayScale(uint32_t dpi) : dpi_(dpi == 0 ? kBaseDpi : dpi) {}

    uint32_t Dpi() const { return dpi_; }
    bool IsBase() const { return dpi_ == kBaseDpi; }

    // A 96-DPI coordinate at this DPI, halves rounded up (towards +infinity), so that moving a
    // layout by whole pixels never changes the size of what it places.
    int32_t Scale(int32_t value) const;
    // Each edge scaled on its own: rectangles that touch at 96 DPI touch at every scale. A
    // window's or bitmap's size is the rectangle from the origin.
    ScaledRect Scale(const ScaledRect& rect) const;

    // The art to use: the scale of this DPI if art is drawn at it, else the nearest larger
    // one, else the largest.
    int ArtPercent() const;
    // The art of that scale fits without resizing.
    bool ArtFitsExactly() const;

    // The resource id of bitmap `id` drawn at `percent`: the id itself at 100 %, otherwise
    // `id` + 100 x `percent` (bitmap 145 at 150 % is 15145).
    static int ArtResourceId(int id, int percent);

  private:
    uint32_t dpi_;
};
