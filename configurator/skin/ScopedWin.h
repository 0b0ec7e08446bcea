#pragma once
// Scoped owners of the Win32 resources the windows use: kernel handles, GDI objects, device
// contexts and the objects selected into them. Each gives back what it holds when it goes.

#include <windows.h>

#include <utility>

#include "base/ScopedHandle.h"
#include "base/ScopedOwner.h"

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
struct DeleteMemoryDC {
    void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};

// A font, bitmap, brush, pen or region made by this program.
template <typename T>
using ScopedGdiObject = ScopedOwner<T, DeleteGdiObject>;
using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedRegion = ScopedGdiObject<HRGN>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
// A memory device context from CreateCompatibleDC.
using ScopedDC = ScopedOwner<HDC, DeleteMemoryDC>;

// The device context of a window (or of the screen, for a null window) from GetDC, given back
// with ReleaseDC.
class ScopedWindowDC {
  public:
    explicit ScopedWindowDC(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    ~ScopedWindowDC() {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    ScopedWindowDC(ScopedWindowDC&& other) noexcept
        : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
    ScopedWindowDC& operator=(ScopedWindowDC&&) = delete;
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;

    HDC Get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

  private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for one scope; the one it replaced goes back in.
class ScopedSelect {
  public:
    ScopedSelect(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc),
          previous_(dc != nullptr && object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelect() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    ScopedSelect(ScopedSelect&& other) noexcept
        : dc_(other.dc_), previous_(std::exchange(other.previous_, nullptr)) {}
    ScopedSelect& operator=(ScopedSelect&&) = delete;
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};
