#include "app/ProgressBar.h"

#include <commctrl.h>

#include "app/ScopedWin.h"

CProgressBar::~CProgressBar() {
    if (window_ != nullptr && IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(baseProc_));
    }
}

void CProgressBar::Attach(HWND control) {
    window_ = control;
    if (window_ == nullptr)
        return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    baseProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc)));
}

void CProgressBar::SetColours(COLORREF background, COLORREF bar) {
    background_ = background;
    bar_ = bar;
    SendMessageW(window_, PBM_SETBKCOLOR, 0, background);
    SendMessageW(window_, PBM_SETBARCOLOR, 0, bar);
}

void CProgressBar::SetRange(WORD upper) {
    SendMessageW(window_, PBM_SETRANGE, 0, MAKELPARAM(0, upper));
}

void CProgressBar::SetStep(int step) {
    SendMessageW(window_, PBM_SETSTEP, step, 0);
}

void CProgressBar::SetPos(int position) {
    SendMessageW(window_, PBM_SETPOS, position, 0);
}

void CProgressBar::Redraw() const {
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

LRESULT CALLBACK CProgressBar::ControlProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<CProgressBar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_ERASEBKGND:
            return TRUE;
        case WM_PAINT:
            self->OnPaint();
            return 0;
        default:
            return CallWindowProcW(self->baseProc_, window, message, wParam, lParam);
    }
}

void CProgressBar::OnPaint() const {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT client;
    GetClientRect(window_, &client);
    const auto low = static_cast<int>(SendMessageW(window_, PBM_GETRANGE, TRUE, 0));
    const auto high = static_cast<int>(SendMessageW(window_, PBM_GETRANGE, FALSE, 0));
    const auto position = static_cast<int>(SendMessageW(window_, PBM_GETPOS, 0, 0));
    int filled = 0;
    if (high > low) {
        filled = static_cast<int>(static_cast<long long>(client.right) * (position - low) /
                                  (high - low));
    }
    if (const ScopedBrush back(CreateSolidBrush(background_)); back)
        FillRect(dc, &client, back.Get());
    RECT bar = client;
    bar.right = client.left + filled;
    if (const ScopedBrush fill(CreateSolidBrush(bar_)); fill && filled > 0)
        FillRect(dc, &bar, fill.Get());
    EndPaint(window_, &paint);
}
