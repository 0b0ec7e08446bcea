#include "skin/ZelSliderCtrl.h"

#include <objidl.h>
#include <gdiplus.h>
#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "skin/BufferedPaint.h"
#include "skin/SkinImages.h"

namespace {

constexpr int kValueFontHeight = 13;

}  // namespace

CZelSliderCtrl::CZelSliderCtrl() noexcept : font_(kValueFontHeight) {}

CZelSliderCtrl::~CZelSliderCtrl() = default;

DWORD CZelSliderCtrl::WantedStyle(DWORD style) const noexcept {
    // A static control passes the mouse through to its parent unless it asks for notifications.
    return CZelWnd::WantedStyle(style | SS_NOTIFY);
}

void CZelSliderCtrl::SetImages(SliderImages images) noexcept {
    images_ = std::move(images);
    Redraw();
}

void CZelSliderCtrl::SetImages(SkinImage track, SkinImage thumb, SkinImage hotThumb,
                               SkinImage disabledThumb) noexcept {
    SetImages(SliderImages{std::move(track), std::move(thumb), std::move(hotThumb),
                           std::move(disabledThumb)});
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
    state_ = disabled ? kDisabled : kNormal;
    savedState_ = kNormal;
    pressed_ = false;
    // A disabled slider ignores the mouse, so it must not keep the pointer captured for hover.
    if (disabled) {
        hover_.Stop(*this);
    }
    // Nor is it reached with Tab.
    if (Hwnd() != nullptr) {
        const LONG style = GetWindowLongW(Hwnd(), GWL_STYLE);
        SetWindowLongW(Hwnd(), GWL_STYLE, disabled ? style & ~WS_TABSTOP : style | WS_TABSTOP);
    }
    Redraw();
}

LRESULT CZelSliderCtrl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
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
        case TBM_GETPOS:
            return model.value;
        case TBM_GETRANGEMIN:
            return model.minimum;
        case TBM_GETRANGEMAX:
            return model.maximum;
        default:
            return CZelPaintedWnd::HandleMessage(msg, wParam, lParam);
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
    if (state_ == kDisabled) {
        return;
    }
    state_ = kDragging;
    savedState_ = kDragging;
    pressed_ = true;
    TakeValueAtPointer(x);
    Redraw();
}

void CZelSliderCtrl::OnLeftButtonUp(int x) noexcept {
    if (state_ == kDisabled) {
        return;
    }
    TakeValueAtPointer(x);
    pressed_ = false;
    state_ = kNormal;
    savedState_ = kNormal;
    Redraw();
}

void CZelSliderCtrl::OnMouseMove(int x, int y, WPARAM keys) noexcept {
    if (state_ == kDisabled) {
        return;
    }
    if (state_ == kDragging) {
        TakeValueAtPointer(x);
        Redraw();
    }
    switch (hover_.OnMouseMove(*this, x, y)) {
        case HoverCapture::Move::kEntered:
            pressed_ = (keys & MK_LBUTTON) != 0;
            state_ = pressed_ ? savedState_ : kOver;
            Redraw();
            break;
        case HoverCapture::Move::kLeft:
            // Remembered so that dragging resumes when the pointer comes back with the button
            // down.
            savedState_ = state_;
            pressed_ = false;
            state_ = kNormal;
            Redraw();
            break;
        case HoverCapture::Move::kInside:
            break;
    }
}

void CZelSliderCtrl::OnPaint(BufferedPaint& paint) noexcept {
    const RECT client = ClientRect();
    const int w = images_.thumb.Width();
    const int h = images_.thumb.Height();
    const int x = model.ThumbCentre(client.left, client.right, w);
    Gdiplus::Graphics& graphics = paint.Graphics();
    DrawSkinImage(graphics, images_.track.Get(), 0, 0, client.right, client.bottom);
    Gdiplus::Bitmap* image = nullptr;
    if (state_ == kDisabled) {
        image = images_.disabledThumb.Get();
    } else if (state_ == kNormal) {
        image = images_.thumb.Get();
    } else {
        image = images_.hotThumb.Get();
    }
    DrawSkinImage(graphics, image, x - w / 2, client.top, w, h);
    if (showValue) {
        const PixelRect box =
            model.LabelRect(x, client.left, client.right, client.top, w, h, SkinScale());
        DrawLabelRecord label;
        label.text = std::to_wstring(model.value);
        label.colour = ArgbToColourRef(valueColour);
        label.centreHorizontally = true;
        label.left = box.left;
        label.top = box.top;
        label.right = box.right;
        label.bottom = box.bottom;
        DrawLabel(label, font_.Get(), paint.Dc());
    }
}

bool CZelSliderCtrl::DescribeSelf(AccessInfo& info) const noexcept {
    info.role = ROLE_SYSTEM_SLIDER;
    info.name = AccessName();
    info.value = std::to_wstring(model.value);
    info.state |= state_ == kDisabled ? STATE_SYSTEM_UNAVAILABLE : 0;
    return true;
}

bool CZelSliderCtrl::OnKey(UINT key, bool alt, bool) noexcept {
    if (alt || state_ == kDisabled) {
        return false;
    }
    const int32_t step = model.step > 0 ? model.step : 1;
    int32_t value = model.value;
    switch (key) {
        case VK_LEFT:
        case VK_DOWN:
            value = SnapToStep(value - step, step);
            break;
        case VK_RIGHT:
        case VK_UP:
            value = SnapToStep(value + step, step);
            break;
        case VK_HOME:
            value = model.minimum;
            break;
        case VK_END:
            value = model.maximum;
            break;
        default:
            return false;
    }
    value = value < model.minimum ? model.minimum : value;
    value = value > model.maximum ? model.maximum : value;
    // As a drag does: a new value is drawn and reported, the same one is not.
    SetValue(value, true);
    return true;
}
