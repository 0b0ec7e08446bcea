#pragma once
// A window's layout at a display scale. Layout tables hold 96-DPI pixels; a window at another
// DPI scales every coordinate with this one rule (each edge on its own, halves rounded up), so
// its controls' rectangles, its polygon region and its hit tests meet at the same pixels and
// rectangles that touch at 96 DPI touch at every scale. Skin art is drawn at a few scales; a
// window takes the art of its scale, or the nearest larger one shrunk.

#include <cstdint>
#include <vector>

#include "skin/logic/PixelRect.h"

struct ScalePoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const ScalePoint&) const = default;
};

class DisplayScale {
  public:
    static constexpr uint32_t kBaseDpi = 96;
    // The scales, in percent, the skin sheets are drawn at.
    static constexpr int kArtPercents[] = {100, 125, 150, 200};

    // A DPI of 0 (not known) counts as 96.
    explicit DisplayScale(uint32_t dpi) : dpi_(dpi == 0 ? kBaseDpi : dpi) {}
    // The DPI of a scale given in percent.
    static DisplayScale FromPercent(int percent);

    uint32_t Dpi() const { return dpi_; }
    bool IsBase() const { return dpi_ == kBaseDpi; }

    // One 96-DPI coordinate at this DPI, halves rounded towards +infinity.
    int32_t Scale(int32_t value) const;
    PixelRect Scale(const PixelRect& rect) const;
    ScalePoint Scale(ScalePoint point) const;
    std::vector<ScalePoint> Scale(const std::vector<ScalePoint>& polygon) const;
    // The 96-DPI coordinate a pixel at this DPI belongs to: the largest v with Scale(v) <= pixel.
    // A pixel lies in a scaled rectangle exactly when its 96-DPI coordinate lies in the
    // rectangle, so a control may keep its rows in 96-DPI pixels and hit-test with this.
    int32_t Unscale(int32_t pixel) const;

    // The art to use: drawn at this scale if there is such art, else the nearest larger, else
    // the largest; and whether it fits without resizing.
    int ArtPercent() const;
    bool ArtFitsExactly() const;

  private:
    uint32_t dpi_;
};
