#pragma once
// OffscreenBuffer: a bitmap-backed drawing surface compatible with a target device context.
// Draw into Dc() (GDI or a Gdiplus::Graphics on it), then copy it to the screen in one BitBlt.
// Frees its DC and bitmap when it goes.

#include <windows.h>

#include "skin/ScopedWin.h"

class OffscreenBuffer {
  public:
    OffscreenBuffer(HDC target, int width, int height) noexcept;
    OffscreenBuffer(const OffscreenBuffer&) = delete;
    OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;

    bool IsValid() const noexcept { return dc_ && bitmap_; }
    HDC Dc() const noexcept { return dc_.Get(); }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    // Copies the whole buffer to `target` with its top-left corner at (x, y).
    void CopyTo(HDC target, int x, int y) const noexcept;

  private:
    int width_ = 0;
    int height_ = 0;
    // Gone in reverse: the bitmap is deselected before either it or the DC is deleted.
    ScopedDC dc_;
    ScopedBitmap bitmap_;
    ScopedSelect selection_;
};
