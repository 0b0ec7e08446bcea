#include "skin/ZelImageDialog.h"

#include "skin/BufferedPaint.h"
#include "skin/SkinImages.h"

void CZelImageDialog::SetBackground(const SkinImage& image) noexcept {
    background_ = image.Copy();
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
    // Pixel for pixel when the image has the window's size, which SetBackground gives it.
    const bool sameSize =
        background_.Width() == client.right && background_.Height() == client.bottom;
    graphics.SetInterpolationMode(sameSize ? Gdiplus::InterpolationModeNearestNeighbor
                                           : Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics.DrawImage(background_.Get(), target, area.left * scaleX, area.top * scaleY,
                       paint.Width() * scaleX, paint.Height() * scaleY, Gdiplus::UnitPixel);
    return TRUE;
}
