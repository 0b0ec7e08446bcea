#pragma once
// BufferedPaint: one flicker-free painting of a control. It takes the target (a paint request,
// an owner-draw request or a device context and area), draws into an off-screen buffer of the
// area's size, and copies the buffer to the target in one BitBlt when it goes. A painting of a
// whole control that has the keyboard focus gets the focus mark on top (FocusMark.h). GDI+ drawing
// (Graphics) and GDI drawing (Dc) may alternate: asking for the DC ends the GDI+ drawing first,
// since the two must not work on one device context at the same time.
//
//   void CZelFoo::OnPaint() noexcept {
//       BufferedPaint paint(Hwnd());
//       if (!paint.IsValid()) return;
//       DrawSkinImage(paint.Graphics(), image_.Get(), 0, 0, paint.Width(), paint.Height());
//       DrawLabel(label, font_, paint.Dc());
//   }

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "skin/OffscreenBuffer.h"

class BufferedPaint {
  public:
    // A paint request: BeginPaint now, the copy and EndPaint at the end; the client area.
    explicit BufferedPaint(HWND window) noexcept;
    // An owner-draw request: the item's rectangle of its DC.
    explicit BufferedPaint(const DRAWITEMSTRUCT& item) noexcept;
    // Part of a device context (background erasing): `area` in its logical coordinates.
    BufferedPaint(HDC target, const RECT& area) noexcept;
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;

    // False when there is nothing to paint on; draw nothing then.
    bool IsValid() const noexcept { return target_ != nullptr; }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    // GDI+ on the buffer (0, 0 is the area's top-left corner), with the skins' drawing quality.
    Gdiplus::Graphics& Graphics() noexcept;
    // The buffer's DC for GDI drawing; ends the GDI+ drawing so far.
    HDC Dc() noexcept;

  private:
    void MakeBuffer() noexcept;
    void MarkFocus() noexcept;

    HWND window_ = nullptr;  // set while a paint request is open
    PAINTSTRUCT paint_{};
    HDC target_ = nullptr;
    POINT origin_{0, 0};
    int width_ = 0;
    int height_ = 0;
    std::unique_ptr<OffscreenBuffer> buffer_;
    std::unique_ptr<Gdiplus::Graphics> graphics_;
};
