#include "skin/HoverCapture.h"

#include "skin/ZelWnd.h"

HoverCapture::Move HoverCapture::OnMouseMove(CZelWnd& control, int x, int y) noexcept {
    if (!control.HasCapture() || !tracking_) {
        control.CaptureMouse();
        tracking_ = true;
        return Move::kEntered;
    }
    const RECT client = control.ClientRect();
    const POINT point{x, y};
    if (PtInRect(&client, point)) {
        return Move::kInside;
    }
    Stop(control);
    return Move::kLeft;
}

void HoverCapture::Stop(CZelWnd& control) noexcept {
    if (tracking_) {
        tracking_ = false;
        control.ReleaseMouse();
    }
}
