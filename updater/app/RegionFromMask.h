#pragma once
// A window region from a mask bitmap: every pixel whose colour lies within `key` plus
// `tolerance` (per byte) is cut away.

#include <windows.h>

// The region, or null when the bitmap is missing or no drawing surface can be made. The
// caller owns the region (until it hands it to SetWindowRgn).
HRGN RegionFromMask(HBITMAP mask, COLORREF key, COLORREF tolerance);
