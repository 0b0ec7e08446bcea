#include "ZelScrollCtrl.h"

#include <objidl.h>
#include <gdiplus.h>
#include <windowsx.h>

#include "OffscreenBuffer.h"
#include "SkinImages.h"

namespace {

constexpr int kStateNormal = 0;
constexpr int kStateOver = 1;
constexpr int kStateDown = 2;

}  // namespace

void CZelScrollCtrl::OnAttached() noexcept {
    // Owner drawn; notify so that the static control lets the mouse reach it.
    LONG style = GetWindowLongW(Hwnd(), GWL_STYLE);
    SetWindowLongW(Hwnd(), GWL_STYLE, style | SS_OWNERDRAW | SS_NOTIFY);
}

void CZelScrollCtrl::SetImages(SkinImage background, SkinImage thumb, SkinImage pressedThumb,
                               SkinImage firstArrow, SkinImage pressedFirstArrow,
                               SkinImage secondArrow, SkinImage pressedSecondArrow) noexcept {
    images[kBackground] = std::move(background);
    images[kThumb] = std::move(thumb);
    images[kPressedThumb] = std::move(pressedThumb);
    images[kFirstArrow] = std::move(firstArrow);
    images[kPressedFirstArrow] = std::move(pressedFirstArrow);
    images[kSecondArrow] = std::move(secondArrow);
    images[kPressedSecondArrow] = std::move(pressedSecondArrow);
    const RECT client = ClientRect();
    if (client.right > client.bottom) {
        model.LayOut(client.right, client.bottom, images[kFirstArrow].Width(),
                     images[kSecondArrow].Width(), images[kThumb].Width());
    } else {
        model.LayOut(client.right, client.bottom, images[kFirstArrow].Height(),
                     images[kSecondArrow].Height(), images[kThumb].Height());
    }
    Redraw();
}

void CZelScrollCtrl::SetPos(int32_t position) noexcept {
    const int32_t clamped = model.SetPos(position);
    Redraw();
    NotifyParent(ControlId(), clamped);
}

int CZelScrollCtrl::Coordinate(int x, int y) const noexcept {
    return model.orientation == ScrollOrientation::kHorizontal ? x : y;
}

void CZelScrollCtrl::TakePositionAtPointer(int x, int y) noexcept {
    if (std::optional<int32_t> report = model.TrackPointer(Coordinate(x, y))) {
        NotifyParent(ControlId(), *report);
    }
}

LRESULT CZelScrollCtrl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            LRESULT result = DefaultHandling(msg, wParam, lParam);
            OnLeftButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return result;
        }
        case WM_LBUTTONUP: {
            LRESULT result = DefaultHandling(msg, wParam, lParam);
            OnLeftButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
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

bool CZelScrollCtrl::OnReflectedMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) noexcept {
    switch (msg) {
        case WM_DRAWITEM:
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            result = TRUE;
            return true;
        case WM_COMMAND:
            // Clicks from SS_NOTIFY: the parent hears of positions only.
            result = 0;
            return true;
        default:
            return false;
    }
}

void CZelScrollCtrl::OnLeftButtonDown(int x, int y) noexcept {
    pressed = true;
    state = kStateDown;
    pressedPart = model.HitTest(x, y);
    if (model.track.Contains(x, y)) {
        TakePositionAtPointer(x, y);
    }
    Redraw();
}

void CZelScrollCtrl::OnLeftButtonUp(int x, int y) noexcept {
    if (model.track.Contains(x, y)) {
        TakePositionAtPointer(x, y);
    }
    if (pressedPart == ScrollPart::kSecondArrow) {
        NotifyParent(ControlId(), model.maximum);
        SetPos(model.maximum);
    } else if (pressedPart == ScrollPart::kFirstArrow) {
        NotifyParent(ControlId(), model.minimum);
        SetPos(model.minimum);
    }
    pressed = false;
    state = kStateNormal;
    pressedPart = ScrollPart::kNone;
    Redraw();
}

void CZelScrollCtrl::OnMouseMove(int x, int y, WPARAM keys) noexcept {
    if (state == kStateDown && model.track.Contains(x, y)) {
        TakePositionAtPointer(x, y);
        Redraw();
    }
    if (!HasCapture() || !tracking) {
        CaptureMouse();
        tracking = true;
        pressed = (keys & MK_LBUTTON) != 0;
        state = kStateOver;
        Redraw();
        return;
    }
    const RECT client = ClientRect();
    const POINT point{x, y};
    if (!PtInRect(&client, point)) {
        pressed = false;
        state = kStateNormal;
        Redraw();
        tracking = false;
        ReleaseMouse();
    }
}

void CZelScrollCtrl::OnDrawItem(const DRAWITEMSTRUCT& item) noexcept {
    const int width = item.rcItem.right - item.rcItem.left;
    const int height = item.rcItem.bottom - item.rcItem.top;
    OffscreenBuffer buffer(item.hDC, width, height);
    if (!buffer.IsValid()) {
        return;
    }
    {
        Gdiplus::Graphics graphics(buffer.Dc());
        PrepareGraphics(graphics);
        auto draw = [&graphics](const SkinImage& image, const PixelRect& rect) {
            DrawSkinImage(graphics, image.Get(), rect.left, rect.top, rect.Width(), rect.Height());
        };
        DrawSkinImage(graphics, images[kBackground].Get(), 0, 0, width, height);
        draw(images[pressedPart == ScrollPart::kFirstArrow ? kPressedFirstArrow : kFirstArrow],
             model.firstArrow);
        draw(images[pressedPart == ScrollPart::kSecondArrow ? kPressedSecondArrow : kSecondArrow],
             model.secondArrow);
        draw(images[pressedPart == ScrollPart::kThumb ? kPressedThumb : kThumb], model.thumb);
    }
    buffer.CopyTo(item.hDC, item.rcItem.left, item.rcItem.top);
}
