#pragma once
// OffscreenBuffer: a bitmap-backed drawing surface compatible with a target device context.
// Draw into Dc() (GDI or a Gdiplus::Graphics on it), then copy it to the screen in one BitBlt.
// Every control paints through one, so the memory DCs and bitmaps of buffers up to a moderate
// size are kept and handed out again (cleared, with the DC's state as it was made) instead of
// being made for each paint; a buffer made while another is in use gets one of its own.

#include <windows.h>

struct BufferSurface;

class OffscreenBuffer {
  public:
    OffscreenBuffer(HDC target, int width, int height) noexcept;
    OffscreenBuffer(const OffscreenBuffer&) = delete;
    OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;
    ~OffscreenBuffer();

    bool IsValid() const noexcept { return dc_ != nullptr; }
    HDC Dc() const noexcept { return dc_; }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    // Copies the whole buffer to `target` with its top-left corner at (x, y).
    void CopyTo(HDC target, int x, int y) const noexcept;

  private:
    int width_ = 0;
    int height_ = 0;
    BufferSurface* surface_ = nullptr;
    HDC dc_ = nullptr;
    int savedState_ = 0;
};
