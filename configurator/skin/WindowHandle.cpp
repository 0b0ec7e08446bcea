#include "skin/WindowHandle.h"

#include "skin/ScopedWin.h"

void WindowHandle::DestroyWindow() noexcept {
    if (hwnd_ != nullptr) {
        ::DestroyWindow(hwnd_);
    }
}

int WindowHandle::ControlId() const noexcept {
    return hwnd_ != nullptr ? GetDlgCtrlID(hwnd_) : 0;
}

HWND WindowHandle::Parent() const noexcept {
    return hwnd_ != nullptr ? GetParent(hwnd_) : nullptr;
}

RECT WindowHandle::ClientRect() const noexcept {
    RECT r{};
    if (hwnd_ != nullptr) {
        GetClientRect(hwnd_, &r);
    }
    return r;
}

RECT WindowHandle::RectInParent() const noexcept {
    RECT r{};
    if (hwnd_ == nullptr) {
        return r;
    }
    GetWindowRect(hwnd_, &r);
    if ((GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD) != 0) {
        MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
}

void WindowHandle::Move(int x, int y, int width, int height, bool repaint) noexcept {
    if (hwnd_ != nullptr) {
        MoveWindow(hwnd_, x, y, width, height, repaint ? TRUE : FALSE);
    }
}

void WindowHandle::Show(bool show) noexcept {
    if (hwnd_ != nullptr) {
        ShowWindow(hwnd_, show ? SW_SHOW : SW_HIDE);
    }
}

bool WindowHandle::IsVisible() const noexcept {
    return hwnd_ && IsWindowVisible(hwnd_);
}

void WindowHandle::Enable(bool enable) noexcept {
    if (hwnd_ != nullptr) {
        EnableWindow(hwnd_, enable ? TRUE : FALSE);
    }
}

bool WindowHandle::IsEnabled() const noexcept {
    return hwnd_ && IsWindowEnabled(hwnd_);
}

std::wstring WindowHandle::Text() const {
    if (hwnd_ == nullptr) {
        return {};
    }
    int length = GetWindowTextLengthW(hwnd_);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int got = GetWindowTextW(hwnd_, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

void WindowHandle::SetText(const std::wstring& text) noexcept {
    if (hwnd_ != nullptr) {
        SetWindowTextW(hwnd_, text.c_str());
    }
}

void WindowHandle::StartTimer(UINT_PTR id, UINT milliseconds) noexcept {
    if (hwnd_ != nullptr) {
        SetTimer(hwnd_, id, milliseconds, nullptr);
    }
}

void WindowHandle::StopTimer(UINT_PTR id) noexcept {
    if (hwnd_ != nullptr) {
        KillTimer(hwnd_, id);
    }
}

void WindowHandle::CaptureMouse() noexcept {
    if (hwnd_ != nullptr) {
        SetCapture(hwnd_);
    }
}

void WindowHandle::ReleaseMouse() noexcept {
    if (hwnd_ && GetCapture() == hwnd_) {
        ReleaseCapture();
    }
}

bool WindowHandle::HasCapture() const noexcept {
    return hwnd_ && GetCapture() == hwnd_;
}

bool WindowHandle::SetPolygonRegion(const std::vector<POINT>& points) noexcept {
    if (hwnd_ == nullptr || points.size() < 3) {
        return false;
    }
    ScopedRegion region(
        CreatePolygonRgn(points.data(), static_cast<int>(points.size()), ALTERNATE));
    if (!region || SetWindowRgn(hwnd_, region.Get(), TRUE) == 0) {
        return false;
    }
    region.Release();  // the window owns its region now
    return true;
}
