#include "skin/ZelOwnerDrawnStatic.h"

#include <windowsx.h>

DWORD CZelOwnerDrawnStatic::WantedStyle(DWORD style) const noexcept {
    return CZelWnd::WantedStyle((style & ~static_cast<DWORD>(SS_TYPEMASK)) | SS_OWNERDRAW |
                                SS_NOTIFY);
}

bool CZelOwnerDrawnStatic::OnReflectedMessage(UINT msg, WPARAM, LPARAM lParam,
                                              LRESULT& result) noexcept {
    switch (msg) {
        case WM_DRAWITEM:
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            result = TRUE;
            return true;
        case WM_COMMAND:
            // The clicks SS_NOTIFY sends: the control tells its parent what it means itself, and
            // the parent must not take them for a button's command.
            result = 0;
            return true;
        default:
            return false;
    }
}

LRESULT CZelOwnerDrawnStatic::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (OnPress(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) {
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (OnRelease(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) {
                return 0;
            }
            break;
        default:
            break;
    }
    return CZelWnd::HandleMessage(msg, wParam, lParam);
}
