#include "skin/ZelPaintedWnd.h"

#include "skin/BufferedPaint.h"

LRESULT CZelPaintedWnd::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
        case WM_PAINT: {
            BufferedPaint paint(Hwnd());
            if (paint.IsValid()) {
                OnPaint(paint);
            }
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        default:
            return CZelWnd::HandleMessage(msg, wParam, lParam);
    }
}
