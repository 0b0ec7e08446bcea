#include "skin/MenuMouseHook.h"

namespace {

HHOOK gHook = nullptr;
HWND gTarget = nullptr;

LRESULT CALLBACK MenuMouseHookProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code >= 0 && gTarget != nullptr) {
        const UINT message = static_cast<UINT>(wParam);
        if (message != WM_MOUSEMOVE && message != WM_MOUSEWHEEL && message != WM_MOUSEHWHEEL) {
            PostMessageW(gTarget, WM_HOOK_EVENT, wParam, 0);
        }
    }
    return CallNextHookEx(gHook, code, wParam, lParam);
}

}  // namespace

bool SetMenuHookTarget(HWND target) noexcept {
    gTarget = target;
    if (gHook == nullptr) {
        gHook = SetWindowsHookExW(WH_MOUSE_LL, &MenuMouseHookProc, GetModuleHandleW(nullptr), 0);
    }
    return gHook != nullptr;
}

void RemoveMenuHook() noexcept {
    if (gHook != nullptr) {
        UnhookWindowsHookEx(gHook);
        gHook = nullptr;
    }
    gTarget = nullptr;
}

bool IsMenuHookInstalled() noexcept {
    return gHook != nullptr;
}

HWND MenuHookTarget() noexcept {
    return gTarget;
}
