#include "skin/FocusMark.h"

#include <algorithm>
#include <cstdint>

#include "skin/ScopedWin.h"
#include "skin/SkinImages.h"

namespace {

// Set on a top-level window once the keyboard has moved through it.
constexpr wchar_t kCuesProperty[] = L"OrvaZelKeyboardCues";
// The skin's accent green, in which the hot captions are drawn.
constexpr COLORREF kMarkColour = RGB(179, 211, 53);
// The mark runs this far inside the control's edge.
constexpr int kMarkInset = 1;

bool IsNavigationKey(WPARAM key) noexcept {
    switch (key) {
        case VK_TAB:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_MENU:
            return true;
        default:
            return false;
    }
}

ControlKind KindOf(HWND window) noexcept {
    return static_cast<ControlKind>(
        reinterpret_cast<intptr_t>(GetPropW(window, kControlKindProperty)));
}

}  // namespace

bool TakesKeyboardFocus(ControlKind kind) noexcept {
    return kind == ControlKind::Button || kind == ControlKind::Slider ||
           kind == ControlKind::ListBox;
}

void NoteKeyboardUse(const MSG& msg) noexcept {
    if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || msg.hwnd == nullptr ||
        !IsNavigationKey(msg.wParam)) {
        return;
    }
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (root == nullptr || GetPropW(root, kCuesProperty) != nullptr) {
        return;
    }
    SetPropW(root, kCuesProperty, reinterpret_cast<HANDLE>(1));
    // The control that has the focus now shows it.
    HWND focus = GetFocus();
    if (focus != nullptr && (focus == root || IsChild(root, focus))) {
        InvalidateRect(focus, nullptr, FALSE);
    }
}

bool FocusCuesShown(HWND window) noexcept {
    // Not the system's "always show keyboard cues": Wine has it on from the start, and a window
    // used only with the mouse keeps its look.
    HWND root = window != nullptr ? GetAncestor(window, GA_ROOT) : nullptr;
    return root != nullptr && GetPropW(root, kCuesProperty) != nullptr;
}

void DrawFocusMarkIfFocused(HWND window, HDC dc, int x, int y, int width, int height) noexcept {
    if (window == nullptr || dc == nullptr || GetFocus() != window ||
        (GetWindowLongW(window, GWL_STYLE) & WS_TABSTOP) == 0 ||
        !TakesKeyboardFocus(KindOf(window)) || !FocusCuesShown(window)) {
        return;
    }
    // A dotted line, one dot on and one off, as the system draws its focus rectangles, in the
    // skin's colour; a dot is a pixel at 96 DPI and a square of the scaled pixel at others.
    const int dot = std::max(1, ScaledLength(1));
    const int inset = ScaledLength(kMarkInset);
    const int left = x + inset;
    const int top = y + inset;
    const int right = x + width - dot - inset;
    const int bottom = y + height - dot - inset;
    if (right <= left || bottom <= top) {
        return;
    }
    const ScopedBrush brush(CreateSolidBrush(kMarkColour));
    auto mark = [dc, dot, &brush](int px, int py) {
        if (dot == 1) {
            SetPixelV(dc, px, py, kMarkColour);
            return;
        }
        const RECT square{px, py, px + dot, py + dot};
        FillRect(dc, &square, brush.Get());
    };
    for (int px = left; px <= right; px += 2 * dot) {
        mark(px, top);
        mark(px, bottom);
    }
    for (int py = top; py <= bottom; py += 2 * dot) {
        mark(left, py);
        mark(right, py);
    }
}
