#include "app/SkinnedDialog.h"

#include "app/RegionFromMask.h"
#include "app/SkinBitmap.h"
#include "app/SkinButton.h"

void CSkinnedDialog::ApplySkin(int backgroundId, int maskId) {
    // A skin applied again replaces the images of the earlier one.
    backgroundId_ = backgroundId;
    maskId_ = maskId;
    scale_ = DisplayScale(dpi_ != 0 ? dpi_ : WindowDpi(window_));
    mask_.Reset(LoadBitmapForDpi(maskId, scale_.Dpi(), ScaledSize(BitmapResourceSize(maskId))));
    background_.Reset(
        LoadBitmapForDpi(backgroundId, scale_.Dpi(), ScaledSize(BitmapResourceSize(backgroundId))));
    // The window stays where it is: moved to a corner, it might land on another screen.
    const SIZE size = BitmapSize(background_.Get());
    SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Only pure white is cut away; a region that cannot be made leaves the window rectangular.
    ScopedRegion region(RegionFromMask(mask_.Get(), RGB(255, 255, 255), 0));
    if (region && SetWindowRgn(window_, region.Get(), TRUE) != 0)
        region.Release();  // the window owns its region now
}

SIZE CSkinnedDialog::ScaledSize(SIZE size) const {
    return SIZE{scale_.Scale(size.cx), scale_.Scale(size.cy)};
}

RECT CSkinnedDialog::ScaledPlace(const RECT& place) const {
    const ScaledRect scaled =
        scale_.Scale(ScaledRect{place.left, place.top, place.right, place.bottom});
    return RECT{scaled.left, scaled.top, scaled.right, scaled.bottom};
}

void CSkinnedDialog::CentreOn(HWND over) {
    RECT area;
    if (over == nullptr || !GetWindowRect(over, &area))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT own;
    GetWindowRect(window_, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CSkinnedDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return TRUE;
        case WM_ERASEBKGND:
            SetWindowLongPtrW(window_, DWLP_MSGRESULT, 1);
            return TRUE;
        case WM_LBUTTONDOWN:
            OnLButtonDown();
            return TRUE;
        case WM_DRAWITEM:
            return CSkinButton::DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return TRUE;
        default:
            return FALSE;
    }
}

void CSkinnedDialog::OnPaint() {
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(window_, &paint);
    RECT client;
    GetClientRect(window_, &client);
    if (IsIconic(window_) && minimisedIcon_ != nullptr) {
        const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(screen, x, y, minimisedIcon_);
        EndPaint(window_, &paint);
        return;
    }
    // Composed off screen and copied in one piece, so the window never flickers.
    const ScopedDC buffer(CreateCompatibleDC(screen));
    const ScopedBitmap surface(CreateCompatibleBitmap(screen, client.right, client.bottom));
    if (buffer && surface) {
        const ScopedSelect onSurface(buffer.Get(), surface.Get());
        FillRect(buffer.Get(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        if (const ScopedDC image(CreateCompatibleDC(screen)); image) {
            const ScopedSelect onImage(image.Get(), background_.Get());
            const SIZE size = BitmapSize(background_.Get());
            BitBlt(buffer.Get(), 0, 0, size.cx, size.cy, image.Get(), 0, 0, SRCCOPY);
        }
        BitBlt(screen, 0, 0, client.right, client.bottom, buffer.Get(), 0, 0, SRCCOPY);
    }
    EndPaint(window_, &paint);
}

void CSkinnedDialog::OnDpiChanged(UINT dpi, const RECT& suggested) {
    // Moved to a screen of another scale: everything is laid out and drawn afresh for it, at
    // the place the system suggests.
    dpi_ = dpi;
    LayOut();
    const SIZE size = BitmapSize(background_.Get());
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

void CSkinnedDialog::OnLButtonDown() {
    // A press on the body moves the window as a caption bar would.
    ReleaseCapture();
    SendMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}
