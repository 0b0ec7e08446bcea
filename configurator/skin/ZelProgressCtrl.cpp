#include "skin/ZelProgressCtrl.h"

#include <objidl.h>
#include <gdiplus.h>

#include "skin/BufferedPaint.h"
#include "skin/SkinImages.h"
#include "skin/logic/ProgressMath.h"

void CZelProgressCtrl::SetImages(SkinImage newBackground, SkinImage newBar) noexcept {
    background_ = std::move(newBackground);
    bar_ = std::move(newBar);
    Redraw();
}

LRESULT CZelProgressCtrl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
        case PBM_GETPOS:
            return position;
        case PBM_GETRANGE:
            return OnGetRange(wParam != 0, reinterpret_cast<PBRANGE*>(lParam));
        default:
            return CZelPaintedWnd::HandleMessage(msg, wParam, lParam);
    }
}

LRESULT CZelProgressCtrl::OnGetRange(bool low, PBRANGE* range) const noexcept {
    if (range != nullptr) {
        range->iLow = minimum;
        range->iHigh = maximum;
    }
    return low ? minimum : maximum;
}

void CZelProgressCtrl::OnPaint(BufferedPaint& paint) noexcept {
    const int width = paint.Width();
    const int height = paint.Height();
    Gdiplus::Graphics& graphics = paint.Graphics();
    DrawSkinImage(graphics, background_.Get(), 0, 0, width, height);
    if (!bar_) {
        return;
    }
    // The filled part is the bar image's own pixels, not scaled.
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    if (vertical) {
        const int fill = ProgressFillLength(minimum, maximum, position, height);
        if (fill > 0) {
            graphics.DrawImage(bar_.Get(), Gdiplus::Rect(0, height - fill, width, fill), 0, 0,
                               width, fill, Gdiplus::UnitPixel);
        }
    } else {
        const int fill = ProgressFillLength(minimum, maximum, position, width);
        if (fill > 0) {
            graphics.DrawImage(bar_.Get(), Gdiplus::Rect(0, 0, fill, height), 0, 0, fill, height,
                               Gdiplus::UnitPixel);
        }
    }
}

bool CZelProgressCtrl::DescribeSelf(AccessInfo& info) const noexcept {
    info.role = ROLE_SYSTEM_PROGRESSBAR;
    info.name = AccessName();
    const int64_t span = static_cast<int64_t>(maximum) - minimum;
    const int64_t percent = span > 0 ? (static_cast<int64_t>(position) - minimum) * 100 / span : 0;
    info.value = std::to_wstring(percent) + L"%";
    info.state |= STATE_SYSTEM_READONLY;
    return true;
}
