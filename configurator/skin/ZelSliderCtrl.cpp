#include "ZelSliderCtrl.h"

#include <objidl.h>
#include <gdiplus.h>
#include <windowsx.h>

#include <string>

#include "OffscreenBuffer.h"
#include "SkinImages.h"

namespace {

constexpr int kValueFontHeight = 13;

}  // namespace

CZelSliderCtrl::CZelSliderCtrl() noexcept : font(CreateSkinFont(kValueFontHeight)) {}

CZelSliderCtrl::~CZelSliderCtrl() {
    if (font != nullptr) {
        DeleteObject(font);
    }
}

void CZelSliderCtrl::OnAttached() noexcept {
    // A static control passes the mouse through to its parent unless it asks for notifications.
    LONG style = GetWindowLongW(Hwnd(), GWL_STYLE);
    SetWindowLongW(Hwnd(), GWL_STYLE, style | SS_NOTIFY);
}

void CZelSliderCtrl::SetImages(SkinImage newTrack, SkinImage newThumb, SkinImage newHotThumb,
                               SkinImage newDisabledThumb) noexcept {
    track = std::move(newTrack);
    thumb = std::move(newThumb);
    hotThumb = std::move(newHotThumb);
    disabledThumb = std::move(newDisabledThumb);
    Redraw();
}

void CZelSliderCtrl::SetValue(int32_t value, bool notify) noexcept {
    if (!model.SetValue(value)) {
        return;
    }
    Redraw();
    if (notify) {
        NotifyParent(ControlId(), value);
    }
}

void CZelSliderCtrl::SetDisabled(bool disabled) noexcept {
    state = disabled ? kDisabled : kNormal;
    savedState = kNormal;
    pressed = false;
    // A disabled slider ignores the mouse, so it must not keep the pointer captured for hover.
    if (disabled && tracking) {
        tracking = false;
        ReleaseMouse();
    }
    Redraw();
}

LRESULT CZelSliderCtrl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            LRESULT result = DefaultHandling(msg, wParam, lParam);
            OnLeftButtonDown(GET_X_LPARAM(lParam));
            return result;
        }
        case WM_LBUTTONUP: {
            LRESULT result = DefaultHandling(msg, wParam, lParam);
            OnLeftButtonUp(GET_X_LPARAM(lParam));
            return result;
        }
        case WM_MOUSEMOVE: {
            LRESULT result = DefaultHandling(msg, wParam, lParam);
            OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam);
            return result;
        }
        default:
            return CZelWnd::HandleMessage(msg, wParam, lParam);
    }
}

bool CZelSliderCtrl::OnReflectedMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) noexcept {
    // The clicks that SS_NOTIFY brings are no command for the parent: values come as
    // notifications.
    if (msg != WM_COMMAND) {
        return false;
    }
    result = 0;
    return true;
}

void CZelSliderCtrl::TakeValueAtPointer(int x) noexcept {
    const RECT client = ClientRect();
    if (model.TrackPointer(x, client.left, client.right, ThumbWidth())) {
        NotifyParent(ControlId(), model.value);
    }
}

void CZelSliderCtrl::OnLeftButtonDown(int x) noexcept {
    if (state == kDisabled) {
        return;
    }
    state = kDragging;
    savedState = kDragging;
    pressed = true;
    TakeValueAtPointer(x);
    Redraw();
}

void CZelSliderCtrl::OnLeftButtonUp(int x) noexcept {
    if (state == kDisabled) {
        return;
    }
    TakeValueAtPointer(x);
    pressed = false;
    state = kNormal;
    savedState = kNormal;
    Redraw();
}

void CZelSliderCtrl::OnMouseMove(int x, int y, WPARAM keys) noexcept {
    if (state == kDisabled) {
        return;
    }
    if (state == kDragging) {
        TakeValueAtPointer(x);
        Redraw();
    }
    if (!HasCapture()) {
        CaptureMouse();
        tracking = true;
        pressed = (keys & MK_LBUTTON) != 0;
        state = pressed ? savedState : kOver;
        Redraw();
        return;
    }
    const RECT client = ClientRect();
    const POINT point{x, y};
    if (!PtInRect(&client, point)) {
        // Remembered so that dragging resumes when the pointer comes back with the button down.
        savedState = state;
        pressed = false;
        state = kNormal;
        Redraw();
        tracking = false;
        ReleaseMouse();
    }
}

void CZelSliderCtrl::OnPaint() noexcept {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(Hwnd(), &paint);
    if (dc == nullptr) {
        return;
    }
    const RECT client = ClientRect();
    OffscreenBuffer buffer(dc, client.right, client.bottom);
    HDC target = buffer.IsValid() ? buffer.Dc() : dc;
    const int w = thumb.Width();
    const int h = thumb.Height();
    const int x = model.ThumbCentre(client.left, client.right, w);
    {
        Gdiplus::Graphics graphics(target);
        PrepareGraphics(graphics);
        DrawSkinImage(graphics, track.Get(), 0, 0, client.right, client.bottom);
        Gdiplus::Bitmap* image = nullptr;
        if (state == kDisabled) {
            image = disabledThumb.Get();
        } else if (state == kNormal) {
            image = thumb.Get();
        } else {
            image = hotThumb.Get();
        }
        DrawSkinImage(graphics, image, x - w / 2, client.top, w, h);
    }
    if (showValue) {
        const PixelRect box = model.LabelRect(x, client.left, client.right, client.top, w, h);
        DrawLabelRecord label;
        label.text = std::to_wstring(model.value);
        label.colour = ArgbToColourRef(valueColour);
        label.centreHorizontally = true;
        label.left = box.left;
        label.top = box.top;
        label.right = box.right;
        label.bottom = box.bottom;
        DrawLabel(label, font, target);
    }
    if (buffer.IsValid()) {
        buffer.CopyTo(dc, 0, 0);
    }
    EndPaint(Hwnd(), &paint);
}
