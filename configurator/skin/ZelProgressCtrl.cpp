#include "ZelProgressCtrl.h"

#include <objidl.h>
#include <gdiplus.h>

#include "OffscreenBuffer.h"
#include "ProgressMath.h"
#include "SkinImages.h"

void CZelProgressCtrl::SetImages(SkinImage newBackground, SkinImage newBar) noexcept {
    background = std::move(newBackground);
    bar = std::move(newBar);
    Redraw();
}

LRESULT CZelProgressCtrl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        default:
            return CZelWnd::HandleMessage(msg, wParam, lParam);
    }
}

void CZelProgressCtrl::OnPaint() noexcept {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(Hwnd(), &paint);
    if (dc == nullptr) {
        return;
    }
    const RECT client = ClientRect();
    const int width = client.right;
    const int height = client.bottom;
    OffscreenBuffer buffer(dc, width, height);
    if (buffer.IsValid()) {
        Gdiplus::Graphics graphics(buffer.Dc());
        PrepareGraphics(graphics);
        DrawSkinImage(graphics, background.Get(), 0, 0, width, height);
        // The filled part is the bar image's own pixels, not scaled.
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        if (bar) {
            if (vertical) {
                const int fill = ProgressFillLength(minimum, maximum, position, height);
                if (fill > 0) {
                    graphics.DrawImage(bar.Get(), Gdiplus::Rect(0, height - fill, width, fill), 0,
                                       0, width, fill, Gdiplus::UnitPixel);
                }
            } else {
                const int fill = ProgressFillLength(minimum, maximum, position, width);
                if (fill > 0) {
                    graphics.DrawImage(bar.Get(), Gdiplus::Rect(0, 0, fill, height), 0, 0, fill,
                                       height, Gdiplus::UnitPixel);
                }
            }
        }
    }
    if (buffer.IsValid()) {
        buffer.CopyTo(dc, 0, 0);
    }
    EndPaint(Hwnd(), &paint);
}
