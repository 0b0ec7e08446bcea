#include "skin/ZelImageDialog.h"

#include "skin/BufferedPaint.h"
#include "skin/SkinBitmaps.h"
#include "skin/SkinImages.h"

namespace {

// A GDI bitmap holding the image's pixels, and where they are, when every pixel of it is opaque
// (then GDI's copy shows what GDI+ draws); null otherwise.
HBITMAP OpaqueBitmap(Gdiplus::Bitmap& image, void*& bits) noexcept {
    const INT width = static_cast<INT>(image.GetWidth());
    const INT height = static_cast<INT>(image.GetHeight());
    ScopedBitmap bitmap(CreateTopDownBitmap(width, height, bits));
    if (!bitmap) {
        return nullptr;
    }
    // The pixels are converted straight into the bitmap's memory.
    const Gdiplus::Rect whole(0, 0, width, height);
    Gdiplus::BitmapData data{};
    data.Width = static_cast<UINT>(width);
    data.Height = static_cast<UINT>(height);
    data.Stride = width * 4;
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = bits;
    if (image.LockBits(&whole, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                       PixelFormat32bppARGB, &data) != Gdiplus::Ok) {
        return nullptr;
    }
    image.UnlockBits(&data);
    if (Gdiplus::IsAlphaPixelFormat(image.GetPixelFormat())) {
        const auto* pixel = static_cast<const uint32_t*>(bits);
        for (size_t i = 0, n = static_cast<size_t>(width) * static_cast<size_t>(height); i < n;
             ++i) {
            if ((pixel[i] >> 24) != 0xFF) {
                return nullptr;
            }
        }
    }
    return bitmap.Release();
}

}  // namespace

void CZelImageDialog::SetBackground(const SkinImage& image) noexcept {
    if (&image == &background_) {
        return;
    }
    // The image first: it may draw from the bitmap's pixels.
    background_.Reset();
    backgroundBitmap_.Reset();
    // Straight from the skin's file where it can be, else converted from the image.
    void* bits = nullptr;
    SIZE size{};
    backgroundBitmap_.Reset(ReadSkinPieceAsBitmap(image, bits, size));
    if (!backgroundBitmap_) {
        if (Gdiplus::Bitmap* source = image.Get()) {
            backgroundBitmap_.Reset(OpaqueBitmap(*source, bits));
            size =
                SIZE{static_cast<LONG>(source->GetWidth()), static_cast<LONG>(source->GetHeight())};
        }
    }
    if (backgroundBitmap_) {
        auto shared = std::make_unique<Gdiplus::Bitmap>(
            size.cx, size.cy, size.cx * 4, PixelFormat32bppRGB, static_cast<BYTE*>(bits));
        if (shared->GetLastStatus() == Gdiplus::Ok) {
            background_ = SkinImage::Owned(std::move(shared));
        } else {
            backgroundBitmap_.Reset();
        }
    }
    if (!background_ && image) {
        background_ = image.Copy();
    }
    if (Hwnd() == nullptr || !background_) {
        return;
    }
    // The size changes; the place in the parent (or on the screen) stays.
    RECT r = RectInParent();
    SetWindowPos(Hwnd(), nullptr, r.left, r.top, background_.Width(), background_.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

LRESULT CZelImageDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
        case WM_ERASEBKGND:
            return OnEraseBackground(reinterpret_cast<HDC>(wParam));
        default:
            return CZelDialog::HandleMessage(msg, wParam, lParam);
    }
}

LRESULT CZelImageDialog::OnEraseBackground(HDC dc) noexcept {
    if (!background_) {
        return DefaultHandling(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    }
    const RECT client = ClientRect();
    if (client.right <= 0 || client.bottom <= 0) {
        return TRUE;
    }
    // Only what needs painting: a control showing the background behind itself asks for its
    // own few pixels, not for the whole window.
    RECT area = client;
    RECT clip{};
    if (GetClipBox(dc, &clip) != NULLREGION && clip.right > clip.left) {
        IntersectRect(&area, &client, &clip);
    }
    // Pixel for pixel when the image has the window's size, which SetBackground gives it.
    const bool sameSize =
        background_.Width() == client.right && background_.Height() == client.bottom;
    if (sameSize && BlitBackground(dc, area)) {
        return TRUE;
    }
    BufferedPaint paint(dc, area);
    if (!paint.IsValid()) {
        return TRUE;
    }
    // The part of the image behind the area; the image is scaled to the client area.
    const Gdiplus::REAL scaleX =
        static_cast<Gdiplus::REAL>(background_.Width()) / static_cast<Gdiplus::REAL>(client.right);
    const Gdiplus::REAL scaleY = static_cast<Gdiplus::REAL>(background_.Height()) /
                                 static_cast<Gdiplus::REAL>(client.bottom);
    const Gdiplus::RectF target(0, 0, static_cast<Gdiplus::REAL>(paint.Width()),
                                static_cast<Gdiplus::REAL>(paint.Height()));
    Gdiplus::Graphics& graphics = paint.Graphics();
    graphics.SetInterpolationMode(sameSize ? Gdiplus::InterpolationModeNearestNeighbor
                                           : Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics.DrawImage(background_.Get(), target, area.left * scaleX, area.top * scaleY,
                       paint.Width() * scaleX, paint.Height() * scaleY, Gdiplus::UnitPixel);
    return TRUE;
}

bool CZelImageDialog::BlitBackground(HDC dc, const RECT& area) noexcept {
    // A translucent background has no bitmap; GDI+ draws it.
    if (!backgroundBitmap_) {
        return false;
    }
    ScopedDC memory(CreateCompatibleDC(dc));
    if (!memory) {
        return false;
    }
    ScopedSelect selected(memory.Get(), backgroundBitmap_.Get());
    return BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
                  memory.Get(), area.left, area.top, SRCCOPY) != FALSE;
}
