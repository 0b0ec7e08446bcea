#include "skin/ZelWnd.h"

#include <unordered_map>

#include "skin/FocusMark.h"
#include "skin/ScopedWin.h"
#include "skin/ZelAccessible.h"

namespace {

constexpr wchar_t kWindowClass[] = L"OrvaZelWindow";

bool RegisterOwnClass(WNDPROC proc) noexcept {
    static ATOM atom = 0;
    if (atom == 0) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = kWindowClass;
        atom = RegisterClassExW(&wc);
    }
    return atom != 0;
}

// The open popup menu that takes the keys first (SetKeyOwner).
thread_local CZelWnd* tKeyOwner = nullptr;
// The object of each window of ours on this thread (a window's messages all come to the thread
// that made it). Every message looks its object up: a window property would be a call to the
// system each time.
thread_local std::unordered_map<HWND, CZelWnd*> tObjects;

bool IsKeyMessage(UINT msg) noexcept {
    return msg >= WM_KEYFIRST && msg <= WM_KEYLAST;
}

}  // namespace

void DrawParentBackground(HWND child, HDC dc) noexcept {
    HWND parent = GetParent(child);
    if (parent == nullptr) {
        return;
    }
    POINT origin{0, 0};
    MapWindowPoints(child, parent, &origin, 1);
    RECT client{};
    GetClientRect(child, &client);
    // Clipped to the child, so that a parent painting its background for the clip box only
    // (CZelImageDialog) draws the child's part and not its whole image.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    SetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
}

CZelWnd::~CZelWnd() {
    Detach();
}

CZelWnd* CZelWnd::FromHandle(HWND hwnd) noexcept {
    if (hwnd == nullptr) {
        return nullptr;
    }
    const auto found = tObjects.find(hwnd);
    return found != tObjects.end() ? found->second : nullptr;
}

void CZelWnd::Bind(HWND hwnd) noexcept {
    SetHandle(hwnd);
    tObjects[hwnd] = this;
    if (const ControlKind kind = AccessKind(); kind != ControlKind::Unknown) {
        SetPropW(hwnd, kControlKindProperty, reinterpret_cast<HANDLE>(static_cast<intptr_t>(kind)));
    }
}

void CZelWnd::Unbind() noexcept {
    access_.Disconnect();
    if (tKeyOwner == this) {
        tKeyOwner = nullptr;
    }
    tObjects.erase(Hwnd());
    RemovePropW(Hwnd(), kControlKindProperty);
    SetHandle(nullptr);
}

bool CZelWnd::CreateChild(const ChildWindow& child) noexcept {
    const RECT& rect = child.rect;
    HWND hwnd = CreateWindowExW(child.exStyle, child.systemClass, child.text,
                                WantedStyle(child.style | WS_CHILD), rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, child.parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id)),
                                GetModuleHandleW(nullptr), nullptr);
    if (hwnd == nullptr) {
        return false;
    }
    if (!Attach(hwnd)) {
        ::DestroyWindow(hwnd);
        return false;
    }
    return true;
}

bool CZelWnd::CreateCustom(DWORD exStyle, const wchar_t* name, DWORD style, const RECT& rect,
                           HWND owner, HMENU menuOrId) noexcept {
    if (Hwnd() != nullptr || !RegisterOwnClass(&CZelWnd::WindowProc)) {
        return false;
    }
    HWND hwnd = CreateWindowExW(exStyle, kWindowClass, name, style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, owner, menuOrId,
                                GetModuleHandleW(nullptr), this);
    return hwnd != nullptr;
}

bool CZelWnd::Attach(HWND hwnd) noexcept {
    if (hwnd == nullptr || Hwnd() != nullptr || FromHandle(hwnd) != nullptr) {
        return false;
    }
    Bind(hwnd);
    previousProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CZelWnd::WindowProc)));
    const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    if (const DWORD wanted = WantedStyle(style); wanted != style) {
        SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(wanted));
    }
    OnAttached();
    return true;
}

DWORD CZelWnd::WantedStyle(DWORD style) const noexcept {
    // Buttons, boxes, sliders and lists are reached with Tab.
    return TakesKeyboardFocus(AccessKind()) ? style | WS_TABSTOP : style;
}

bool CZelWnd::AttachDlgItem(HWND dialog, int id) noexcept {
    return Attach(GetDlgItem(dialog, id));
}

void CZelWnd::Detach() noexcept {
    if (Hwnd() == nullptr) {
        return;
    }
    if (previousProc_ != nullptr) {
        SetWindowLongPtrW(Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
        previousProc_ = nullptr;
    } else {
        // A window of our own class cannot live without its object.
        HWND hwnd = Hwnd();
        Unbind();
        ::DestroyWindow(hwnd);
        return;
    }
    Unbind();
}

void CZelWnd::Redraw() noexcept {
    if (Hwnd()) {
        InvalidateRect(Hwnd(), nullptr, TRUE);
    }
    access_.NoteChanges();
}

LRESULT CZelWnd::NotifyParent(int code, LPARAM value) noexcept {
    return ControlNotification(Parent(), code, value);
}

LRESULT CZelWnd::AnswerTextQuery(UINT msg, const std::wstring& text, WPARAM size,
                                 LPARAM buffer) noexcept {
    if (msg == WM_GETTEXTLENGTH) {
        return static_cast<LRESULT>(text.size());
    }
    auto* out = reinterpret_cast<wchar_t*>(buffer);
    if (out == nullptr || size == 0) {
        return 0;
    }
    // As the system does: as much as fits, always terminated.
    const size_t copied = text.size() < size - 1 ? text.size() : size - 1;
    text.copy(out, copied);
    out[copied] = L'\0';
    return static_cast<LRESULT>(copied);
}

bool CZelWnd::PassesOn(int) const noexcept {
    return true;
}

bool CZelWnd::PreTranslateMessage(MSG&) noexcept {
    return false;
}

bool CZelWnd::PreTranslateChain(MSG& msg) noexcept {
    NoteKeyboardUse(msg);
    if (tKeyOwner != nullptr && !tKeyOwner->IsVisible()) {
        tKeyOwner = nullptr;  // a menu hidden some other way holds the keys no longer
    }
    if (tKeyOwner != nullptr && IsKeyMessage(msg.message)) {
        // An open menu takes every key; it acts on presses and swallows the rest.
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            tKeyOwner->OnKey(static_cast<UINT>(msg.wParam), msg.message == WM_SYSKEYDOWN,
                             (msg.lParam & (1 << 30)) != 0);
        }
        return true;
    }
    for (HWND hwnd = msg.hwnd; hwnd != nullptr;) {
        if (CZelWnd* wnd = FromHandle(hwnd); wnd && wnd->PreTranslateMessage(msg)) {
            return true;
        }
        if ((GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) == 0) {
            break;
        }
        hwnd = GetParent(hwnd);
    }
    return false;
}

LRESULT CALLBACK CZelWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    CZelWnd* wnd = FromHandle(hwnd);
    if (wnd == nullptr && msg == WM_NCCREATE) {
        // Our own class: the creating object came in the creation parameters.
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        wnd = static_cast<CZelWnd*>(create->lpCreateParams);
        if (wnd != nullptr) {
            wnd->Bind(hwnd);
        }
    }
    if (wnd == nullptr) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return wnd->Dispatch(msg, wParam, lParam);
}

LRESULT CZelWnd::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_DESTROY) {
        OnDestroy();
    }
    if (const UINT action = CZelAccessible::ActionMessage(); action != 0 && msg == action) {
        CZelAccessible::RunPostedAction(*this, wParam);
        return 0;
    }
    if (msg != WM_NCDESTROY) {
        const LRESULT result = HandleMessage(msg, wParam, lParam);
        if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) {
            OnFocusChanged(msg == WM_SETFOCUS);
        } else if (msg == WM_SHOWWINDOW) {
            access_.OnShownOrHidden(Hwnd(), *this, wParam != FALSE);
        }
        return result;
    }
    LRESULT result = DefaultHandling(msg, wParam, lParam);
    if (previousProc_ != nullptr) {
        SetWindowLongPtrW(Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
        previousProc_ = nullptr;
    }
    Unbind();
    OnWindowGone();
    return result;
}

LRESULT CZelWnd::DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (previousProc_ != nullptr) {
        return CallWindowProcW(previousProc_, Hwnd(), msg, wParam, lParam);
    }
    return DefWindowProcW(Hwnd(), msg, wParam, lParam);
}

LRESULT CZelWnd::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    LRESULT result = 0;
    switch (msg) {
        case WM_SYSCOMMAND:
            return HandleSystemCommand(wParam, lParam);
        case WM_COMMAND:
            if (lParam != 0 &&
                Reflect(reinterpret_cast<HWND>(lParam), msg, wParam, lParam, result)) {
                return result;
            }
            if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) {
                return 0;
            }
            break;
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (item && item->CtlType != ODT_MENU &&
                Reflect(item->hwndItem, msg, wParam, lParam, result)) {
                return result;
            }
            break;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            if (Reflect(reinterpret_cast<HWND>(lParam), msg, wParam, lParam, result)) {
                return result;
            }
            break;
        case WM_TIMER:
            if (OnTimer(wParam)) {
                return 0;
            }
            break;
        case WM_GETOBJECT:
            if (access_.OnGetObject(Hwnd(), *this, wParam, lParam, result)) {
                return result;
            }
            break;
        case WM_GETDLGCODE:
            return DefaultHandling(msg, wParam, lParam) |
                   WantedKeys(reinterpret_cast<const MSG*>(lParam));
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (OnKey(static_cast<UINT>(wParam), msg == WM_SYSKEYDOWN, (lParam & (1 << 30)) != 0)) {
                return 0;
            }
            break;
        default:
            break;
    }
    return DefaultHandling(msg, wParam, lParam);
}

LRESULT CZelWnd::HandleSystemCommand(WPARAM wParam, LPARAM lParam) noexcept {
    // Only a marked send is a notification; everything else is a real system command
    // (minimise, move, close, ...) for the default handling.
    if (!TakeControlNotificationMark(Hwnd(), wParam)) {
        return DefaultHandling(WM_SYSCOMMAND, wParam, lParam);
    }
    const int code = static_cast<int>(wParam);
    if (OnControlNotification(code, lParam)) {
        return 0;
    }
    // A top-level window drops what it does not handle: the default handling would take the
    // code for a system command.
    HWND parent = GetParent(Hwnd());
    if ((GetWindowLongW(Hwnd(), GWL_STYLE) & WS_CHILD) != 0 && parent != nullptr &&
        PassesOn(code)) {
        return ControlNotification(parent, code, lParam);
    }
    return 0;
}

bool CZelWnd::Reflect(HWND child, UINT msg, WPARAM wParam, LPARAM lParam,
                      LRESULT& result) noexcept {
    CZelWnd* control = FromHandle(child);
    if (control == nullptr || control == this) {
        return false;
    }
    return control->OnReflectedMessage(msg, wParam, lParam, result);
}

bool CZelWnd::OnControlNotification(int, LPARAM) noexcept {
    return false;
}

bool CZelWnd::OnCommand(int, int, HWND) noexcept {
    return false;
}

bool CZelWnd::OnTimer(UINT_PTR) noexcept {
    return false;
}

bool CZelWnd::OnReflectedMessage(UINT, WPARAM, LPARAM, LRESULT&) noexcept {
    return false;
}

// ---- screen readers and the keyboard --------------------------------------------------------

void CZelWnd::SetKeyOwner(CZelWnd* owner) noexcept {
    tKeyOwner = owner;
}

CZelWnd* CZelWnd::KeyOwner() noexcept {
    return tKeyOwner;
}

void CZelWnd::SetAccessLabel(const std::wstring& name, AccessHint hint) noexcept {
    access_.SetLabel(name, hint);
    if (hint == AccessHint::kDecoration && Hwnd() != nullptr) {
        SetWindowLongW(Hwnd(), GWL_STYLE, GetWindowLongW(Hwnd(), GWL_STYLE) & ~WS_TABSTOP);
    }
}

void CZelWnd::LabelControls(HWND parent, std::span<const AccessLabel> labels) noexcept {
    for (const AccessLabel& label : labels) {
        if (label.id == 0) {
            continue;  // an unused place in a table
        }
        if (CZelWnd* control = FromHandle(GetDlgItem(parent, label.id))) {
            control->SetAccessLabel(label.name, label.hint);
        }
    }
}

std::wstring CZelWnd::AccessNameOr(const std::wstring& shown) const {
    return access_.Name().empty() ? shown : access_.Name();
}

bool CZelWnd::DescribeSelf(AccessInfo& info) const noexcept {
    if (access_.Name().empty() || Hwnd() == nullptr) {
        return false;
    }
    const bool child = (GetWindowLongW(Hwnd(), GWL_STYLE) & WS_CHILD) != 0;
    info.role = child ? ROLE_SYSTEM_PROPERTYPAGE : ROLE_SYSTEM_DIALOG;
    info.name = access_.Name();
    return true;
}

void CZelWnd::OnFocusChanged(bool gained) noexcept {
    if (Hwnd() == nullptr) {
        return;
    }
    // The focus mark comes and goes with the focus.
    if ((GetWindowLongW(Hwnd(), GWL_STYLE) & WS_TABSTOP) != 0) {
        InvalidateRect(Hwnd(), nullptr, FALSE);
    }
    access_.OnFocusChanged(Hwnd(), *this, gained);
}
