#pragma once
// The shape every settings page shares: the page with a tab-shaped notch at its top left.

#include <windows.h>

#include <vector>

inline std::vector<POINT> PageRegionPoints(int width, int height) {
    return {{0, 0}, {143, 0}, {143, 12}, {width, 12}, {width, height}, {0, height}};
}
