#include "app/SkinButton.h"

#include "app/SkinBitmap.h"
#include "logic/ButtonLayout.h"
#include "logic/DisplayScale.h"

CSkinButton::~CSkinButton() {
    Detach();
    FreeImages();
}

void CSkinButton::Detach() {
    if (window_ != nullptr && IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(baseProc_));
    }
}

void CSkinButton::FreeImages() {
    for (ScopedBitmap& image : images_)
        image.Reset();
}

bool CSkinButton::Create(HWND parent, std::string_view layoutText, const ButtonImages& ids,
                         ButtonMode mode, UINT dpi) {
    // Made again: the earlier window and images go first.
    if (window_ != nullptr) {
        Detach();
        if (IsWindow(window_))
            DestroyWindow(window_);
        window_ = nullptr;
    }
    FreeImages();
    hover_ = false;
    // A layout that does not parse places nothing: a button at 0,0 would cover the window's
    // corner and hide the fault.
    ButtonLayout layout;
    if (!ButtonLayout::Parse(layoutText, layout))
        return false;
    // The layout's width and height are not used: the normal image decides the size. Place
    // and size are 96-DPI pixels, scaled edge by edge to the parent's DPI.
    if (dpi == 0)
        dpi = WindowDpi(parent);
    const SIZE base = BitmapResourceSize(ids.normal);
    const ScaledRect place = DisplayScale(dpi).Scale(
        ScaledRect{layout.left, layout.top, layout.left + base.cx, layout.top + base.cy});
    const SIZE size{place.Width(), place.Height()};
    images_[kNormal].Reset(LoadBitmapForDpi(ids.normal, dpi, size));
    images_[kHover].Reset(LoadBitmapForDpi(ids.hover, dpi, size));
    images_[kPressed].Reset(LoadBitmapForDpi(ids.pressed, dpi, size));
    images_[kDisabled].Reset(LoadBitmapForDpi(ids.disabled, dpi, size));
    window_ = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, place.left,
                              place.top, size.cx, size.cy, parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (window_ == nullptr) {
        FreeImages();
        return false;
    }
    latched_ = layout.latched;
    mode_ = mode;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    baseProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ButtonProc)));
    return true;
}

bool CSkinButton::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_BUTTON)
        return false;
    const auto* button =
        reinterpret_cast<const CSkinButton*>(GetWindowLongPtrW(item.hwndItem, GWLP_USERDATA));
    if (button == nullptr)
        return false;
    button->Draw(item);
    return true;
}

void CSkinButton::Draw(const DRAWITEMSTRUCT& item) const {
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    HBITMAP image = images_[kNormal].Get();
    if (latched_ && enabled)
        image = images_[kPressed].Get();
    else if (item.itemState & ODS_SELECTED)
        image = images_[kPressed].Get();
    else if (hover_)
        image = images_[kHover].Get();
    else if (!enabled)
        image = images_[kDisabled].Get();
    if (image == nullptr)
        return;
    const ScopedDC memory(CreateCompatibleDC(item.hDC));
    if (!memory)
        return;
    const ScopedSelect selected(memory.Get(), image);
    const SIZE size = BitmapSize(image);
    BitBlt(item.hDC, 0, 0, size.cx, size.cy, memory.Get(), 0, 0, SRCCOPY);
}

void CSkinButton::Redraw() const {
    InvalidateRect(window_, nullptr, FALSE);
}

LRESULT CALLBACK CSkinButton::ButtonProc(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<CSkinButton*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT CSkinButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return TRUE;
        case WM_MOUSEMOVE:
            if (!OnMouseMove(wParam))
                return 0;
            break;
        case WM_CAPTURECHANGED:
            OnCaptureChanged();
            break;
        case WM_KILLFOCUS:
            OnKillFocus();
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // A quick second click is a press like any other: the system button would take it
            // for a double click of an owner-drawn button and never report a click.
            OnLButtonDown();
            return CallWindowProcW(baseProc_, window_, WM_LBUTTONDOWN, wParam, lParam);
        case WM_LBUTTONUP:
            if (OnLButtonUp())
                return 0;
            break;
        default:
            break;
    }
    return CallWindowProcW(baseProc_, window_, message, wParam, lParam);
}

bool CSkinButton::OnMouseMove(WPARAM keys) {
    // A drag that started elsewhere does not light the button up.
    if ((keys & MK_LBUTTON) && !hover_)
        return false;
    if (GetCapture() != window_) {
        if (GetActiveWindow() != nullptr && GetParent(window_) != nullptr) {
            hover_ = true;
            SetCapture(window_);
            Redraw();
        }
        return true;
    }
    POINT point;
    GetCursorPos(&point);
    HWND under = WindowFromPoint(point);
    if (under == nullptr || under == window_)
        return true;
    // The pointer has left the button.
    if (hover_) {
        hover_ = false;
        Redraw();
    }
    if ((GetKeyState(VK_LBUTTON) & 0x8000) == 0)
        ReleaseCapture();
    return true;
}

void CSkinButton::OnCaptureChanged() {
    if (hover_) {
        if (GetCapture() == window_)
            ReleaseCapture();
        Redraw();
    }
}

void CSkinButton::OnKillFocus() {
    hover_ = false;
    Redraw();
}

void CSkinButton::OnLButtonDown() {
    HWND owner = GetWindow(window_, GW_OWNER);
    if (owner == nullptr)
        owner = GetParent(window_);
    if (owner != nullptr && GetActiveWindow() != owner)
        SetActiveWindow(owner);
}

bool CSkinButton::OnLButtonUp() {
    if (mode_ != ButtonMode::kToggle)
        return false;
    latched_ = !latched_;
    Redraw();
    ReleaseCapture();
    SendMessageW(GetParent(window_), WM_COMMAND, GetDlgCtrlID(window_),
                 reinterpret_cast<LPARAM>(window_));
    return true;
}
