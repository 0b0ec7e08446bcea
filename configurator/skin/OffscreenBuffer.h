#pragma once
// OffscreenBuffer: a bitmap-backed drawing surface compatible with a target device context.
// Draw into Dc() (GDI or a Gdiplus::Graphics on it), then copy it to the screen in one BitBlt.
// Frees its DC and bitmap when it goes.

#include <windows.h>

class OffscreenBuffer {
  public:
    OffscreenBuffer(HDC target, int width, int height) noexcept;
    ~OffscreenBuffer();
    OffscreenBuffer(const OffscreenBuffer&) = delete;
    OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;

    bool IsValid() const noexcept { return dc_ != nullptr && bitmap_ != nullptr; }
    HDC Dc() const noexcept { return dc_; }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    // Copies the whole buffer to `target` with its top-left corner at (x, y).
    void CopyTo(HDC target, int x, int y) const noexcept;

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};
