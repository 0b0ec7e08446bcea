#include "app/SkinBitmap.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "logic/DisplayScale.h"
#include "logic/UpdaterPaths.h"

namespace {

// A copy of `source` at `to` pixels, smoothed (halftone) rather than pixels dropped or
// doubled; null when no drawing surface can be made.
HBITMAP Resample(HBITMAP source, SIZE from, SIZE to) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = to.cx;
    format.bmiHeader.biHeight = -to.cy;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    if (screen == nullptr)
        return nullptr;
    void* bits = nullptr;
    HBITMAP result = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC target = CreateCompatibleDC(screen);
    HDC image = CreateCompatibleDC(screen);
    bool drawn = false;
    if (result != nullptr && target != nullptr && image != nullptr) {
        HGDIOBJ oldTarget = SelectObject(target, result);
        HGDIOBJ oldImage = SelectObject(image, source);
        SetStretchBltMode(target, HALFTONE);
        SetBrushOrgEx(target, 0, 0, nullptr);
        drawn =
            StretchBlt(target, 0, 0, to.cx, to.cy, image, 0, 0, from.cx, from.cy, SRCCOPY) != FALSE;
        SelectObject(image, oldImage);
        SelectObject(target, oldTarget);
    }
    if (image != nullptr)
        DeleteDC(image);
    if (target != nullptr)
        DeleteDC(target);
    ReleaseDC(nullptr, screen);
    if (!drawn && result != nullptr) {
        DeleteObject(result);
        result = nullptr;
    }
    return result;
}

}  // namespace

HBITMAP LoadBitmapResource(int id) {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0)
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

SIZE BitmapResourceSize(int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));  // RT_BITMAP
    HGLOBAL data = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = data != nullptr ? LockResource(data) : nullptr;
    BITMAPINFOHEADER header{};
    if (bytes == nullptr || SizeofResource(module, found) < sizeof header)
        return SIZE{0, 0};
    std::memcpy(&header, bytes, sizeof header);
    if (header.biSize < sizeof header || header.biWidth < 0)
        return SIZE{0, 0};
    return SIZE{header.biWidth, std::abs(header.biHeight)};
}

HBITMAP LoadBitmapForDpi(int id, UINT dpi, SIZE size) {
    const DisplayScale scale(dpi);
    HBITMAP art = nullptr;
    if (!scale.IsBase())
        art = LoadBitmapResource(DisplayScale::ArtResourceId(id, scale.ArtPercent()));
    if (art == nullptr)
        art = LoadBitmapResource(id);
    const SIZE drawn = BitmapSize(art);
    if (art == nullptr || size.cx <= 0 || size.cy <= 0 ||
        (drawn.cx == size.cx && drawn.cy == size.cy))
        return art;
    HBITMAP resized = Resample(art, drawn, size);
    if (resized == nullptr)
        return art;  // the art at its own size is better than none
    DeleteObject(art);
    return resized;
}

UINT WindowDpi(HWND window) {
    // Per-window DPI exists from Windows 10 1607 on; earlier systems have one for all windows.
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow =
        reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0)
            return dpi;
    }
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : DisplayScale::kBaseDpi;
}

std::wstring ProgramFolder() {
    // Long install paths do not fit MAX_PATH; grow until the whole path fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return UpdaterPaths::FolderOf(std::wstring_view(buffer.data(), length));
        if (buffer.size() >= 32768)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}
