#pragma once
// The shape every settings page shares: the page with a tab-shaped notch at its top left.

#include <windows.h>

#include <vector>

#include "skin/SkinImages.h"

// The outline of a page `width` x `height` client pixels big; the notch at the skin scale.
inline std::vector<POINT> PageRegionPoints(int width, int height) {
    const int notchRight = ScaledLength(143);
    const int notchBottom = ScaledLength(12);
    return {{0, 0},          {notchRight, 0}, {notchRight, notchBottom}, {width, notchBottom},
            {width, height}, {0, height}};
}
