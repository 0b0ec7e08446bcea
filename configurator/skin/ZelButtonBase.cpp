#include "ZelButtonBase.h"

#include <windowsx.h>

#include "OffscreenBuffer.h"
#include "SkinImages.h"

void CZelButtonBase::SetImages(SkinImage normal, SkinImage over, SkinImage down,
                               SkinImage disable) noexcept {
    images_[kSkinNormal] = std::move(normal);
    images_[kSkinOver] = std::move(over);
    images_[kSkinDown] = std::move(down);
    images_[kSkinDisable] = std::move(disable);
    Redraw();
}

void CZelButtonBase::OnAttached() noexcept {
    LONG_PTR style = GetWindowLongPtrW(Hwnd(), GWL_STYLE);
    SetWindowLongPtrW(Hwnd(), GWL_STYLE,
                      (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
}

LRESULT CZelButtonBase::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    LRESULT result;
    switch (msg) {
        case WM_MOUSEMOVE:
            result = DefaultHandling(msg, wParam, lParam);
            OnMouseMove(wParam, lParam);
            return result;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // A quick second click is a press like any other, not a double click.
            result = DefaultHandling(WM_LBUTTONDOWN, wParam, lParam);
            OnButtonDown();
            return result;
        case WM_LBUTTONUP:
            result = DefaultHandling(msg, wParam, lParam);
            OnButtonUp();
            return result;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            result = DefaultHandling(msg, wParam, lParam);
            Redraw();
            return result;
        case WM_ERASEBKGND:
            return TRUE;
        default:
            return CZelWnd::HandleMessage(msg, wParam, lParam);
    }
}

bool CZelButtonBase::OnReflectedMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) noexcept {
    if (msg != WM_DRAWITEM) {
        return false;
    }
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

void CZelButtonBase::OnMouseMove(WPARAM keys, LPARAM point) noexcept {
    if (!HasCapture() || !tracking_) {
        CaptureMouse();
        tracking_ = true;
        pressed_ = (keys & MK_LBUTTON) != 0;
        state_ = kSkinOver;
        Redraw();
        OnHoverStarted();
        return;
    }
    POINT p{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    RECT client = ClientRect();
    if (PtInRect(&client, p)) {
        return;
    }
    pressed_ = false;
    state_ = kSkinNormal;
    Redraw();
    tracking_ = false;
    ReleaseMouse();
}

void CZelButtonBase::OnButtonDown() noexcept {
    pressed_ = true;
    state_ = kSkinDown;
    Redraw();
    OnPressed();
}

void CZelButtonBase::OnButtonUp() noexcept {
    bool wasPressed = pressed_;
    OnReleased(wasPressed);
    pressed_ = false;
    state_ = kSkinNormal;
    Redraw();
}

void CZelButtonBase::OnReleased(bool) noexcept {}

Gdiplus::Bitmap* CZelButtonBase::ChooseImage() const noexcept {
    if (!IsEnabled() && images_[kSkinDisable]) {
        return images_[kSkinDisable].Get();
    }
    if (ShowsDown() && images_[kSkinDown]) {
        return images_[kSkinDown].Get();
    }
    if (state_ == kSkinDown && images_[kSkinDown]) {
        return images_[kSkinDown].Get();
    }
    if (state_ == kSkinNormal && images_[kSkinNormal]) {
        return images_[kSkinNormal].Get();
    }
    if (state_ == kSkinOver && images_[kSkinOver]) {
        return images_[kSkinOver].Get();
    }
    return nullptr;
}

void CZelButtonBase::DrawItem(const DRAWITEMSTRUCT& item) noexcept {
    RECT client = ClientRect();
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    OffscreenBuffer buffer(item.hDC, width, height);
    if (!buffer.IsValid()) {
        return;
    }
    Gdiplus::Bitmap* image = ChooseImage();
    if (image == nullptr) {
        // Nothing of our own to show: let the window behind show through.
        DrawParentBackground(Hwnd(), buffer.Dc());
    }
    {
        Gdiplus::Graphics graphics(buffer.Dc());
        PrepareGraphics(graphics);
        DrawSkinImage(graphics, image, 0, 0, width, height);
    }
    DrawCaption(buffer.Dc(), client);
    buffer.CopyTo(item.hDC, 0, 0);
}

void CZelButtonBase::DrawCaptionText(HDC dc, const RECT& client, const std::wstring& text,
                                     HFONT font, uint32_t argb, int indent) noexcept {
    DrawLabelRecord label;
    label.text = text;
    label.colour = ArgbToColourRef(argb);
    label.centreVertically = true;
    label.left = client.left + indent;
    label.top = client.top;
    label.right = client.right;
    label.bottom = client.bottom;
    DrawLabel(label, font, dc);
}
