#include "skin/ZelPaintedWnd.h"

LRESULT CZelPaintedWnd::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
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
