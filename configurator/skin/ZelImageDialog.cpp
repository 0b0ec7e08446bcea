#include "ZelImageDialog.h"

#include "OffscreenBuffer.h"
#include "SkinImages.h"

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
    RECT client = ClientRect();
    OffscreenBuffer buffer(dc, client.right, client.bottom);
    if (buffer.IsValid()) {
        {
            Gdiplus::Graphics graphics(buffer.Dc());
            PrepareGraphics(graphics);
            DrawSkinImage(graphics, background_.Get(), 0, 0, client.right, client.bottom);
        }
        buffer.CopyTo(dc, 0, 0);
    }
    return TRUE;
}
