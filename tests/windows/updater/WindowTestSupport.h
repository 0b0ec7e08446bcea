#pragma once
// Helpers of the Win32 tests: a parent window and the pixels of bitmaps and drawings.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/ScopedWin.h"

// A top-level window to put controls on, destroyed with the object. Showing a window costs
// Wine a moment without a window manager, so only tests that need it visible ask for it.
class TestParent {
  public:
    enum Visibility { kHidden, kShown };
    explicit TestParent(Visibility visibility = kHidden) {
        window_ = CreateWindowExW(0, L"STATIC", L"test parent",
                                  WS_POPUP | (visibility == kShown ? WS_VISIBLE : 0), 0, 0, 400,
                                  200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~TestParent() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }

  private:
    HWND window_ = nullptr;
};

// The bitmap's pixels as 32-bit values, top row first.
inline std::vector<uint32_t> Pixels(HBITMAP bitmap) {
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0)
        return {};
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    const ScopedScreenDC screen;
    GetDIBits(screen.Get(), bitmap, 0, info.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
    for (uint32_t& pixel : pixels)
        pixel &= 0x00FFFFFF;
    return pixels;
}

// A 32-bit bitmap of the given size to draw into.
inline ScopedBitmap MakeSurface(int width, int height) {
    const ScopedScreenDC screen;
    return ScopedBitmap(CreateCompatibleBitmap(screen.Get(), width, height));
}
