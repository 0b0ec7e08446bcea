// <initguid.h> first: MinGW's import library would otherwise give IID_IAccessible as an import
// thunk, and every QueryInterface for it would fail.
#include <initguid.h>

#include "skin/ZelAccessible.h"

#include <oleauto.h>

#include <new>

namespace {

// Answers a text question: S_FALSE and no string when there is no text.
HRESULT AnswerText(const std::wstring& text, BSTR* out) noexcept {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    if (text.empty()) {
        return S_FALSE;
    }
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void SetChildId(VARIANT* out, long id) noexcept {
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = id;
}

// The child id of an index: the control is CHILDID_SELF (0), item i is i + 1.
long ChildIdOf(int index) noexcept {
    return index < 0 ? CHILDID_SELF : index + 1;
}

}  // namespace

CZelAccessible* CZelAccessible::Create(HWND window, AccessSource& source) noexcept {
    return new (std::nothrow) CZelAccessible(window, source);
}

CZelAccessible::CZelAccessible(HWND window, AccessSource& source) noexcept
    : subject_(window, source) {
    // The system's object answers for the window: its parent, its child windows, navigation.
    void* standard = nullptr;
    if (SUCCEEDED(CreateStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible, &standard))) {
        standard_ = static_cast<IAccessible*>(standard);
    }
}

CZelAccessible::~CZelAccessible() {
    if (standard_ != nullptr) {
        standard_->Release();
    }
}

UINT CZelAccessible::ActionMessage() noexcept {
    static const UINT message = RegisterWindowMessageW(L"OrvaZelAccessibleAction");
    return message;
}

void CZelAccessible::RunPostedAction(AccessSource& source, WPARAM childId) noexcept {
    source.DoAccessAction(static_cast<int>(childId) - 1);
}

LRESULT CZelAccessible::Answer(WPARAM flags) noexcept {
    return LresultFromObject(IID_IAccessible, flags, static_cast<IAccessible*>(this));
}

void CZelAccessible::Disconnect() noexcept {
    if (!subject_.IsConnected()) {
        return;
    }
    subject_.Disconnect();
    if (standard_ != nullptr) {
        standard_->Release();
        standard_ = nullptr;
    }
    // Readers in other processes keep proxies; their next call learns that the object is gone.
    CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

void CZelAccessible::NoteChanges() noexcept {
    AccessInfo now;
    if (!subject_.DescribeControl(now)) {
        return;
    }
    if (seenAnything_) {
        if (now.name != seen_.name) {
            NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, subject_.Window(), OBJID_CLIENT, CHILDID_SELF);
        }
        if (now.state != seen_.state) {
            NotifyWinEvent(EVENT_OBJECT_STATECHANGE, subject_.Window(), OBJID_CLIENT, CHILDID_SELF);
        }
        if (now.value != seen_.value) {
            NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, subject_.Window(), OBJID_CLIENT, CHILDID_SELF);
        }
    }
    const int focused = subject_.FocusedItem();
    if (focused >= 0 && focused != seenFocusedItem_) {
        NotifyWinEvent(EVENT_OBJECT_FOCUS, subject_.Window(), OBJID_CLIENT, ChildIdOf(focused));
    }
    seen_ = std::move(now);
    seenFocusedItem_ = focused;
    seenAnything_ = true;
}

// ---- what the control says ------------------------------------------------------------------

HRESULT CZelAccessible::Lookup(const VARIANT& child, AccessInfo& info, RECT* where) const noexcept {
    if (!subject_.IsConnected()) {
        return RPC_E_DISCONNECTED;
    }
    int index = -1;
    return subject_.ChildIndex(child, index) && subject_.Describe(index, info, where)
               ? S_OK
               : E_INVALIDARG;
}

HRESULT CZelAccessible::TextOf(const VARIANT& child, std::wstring AccessInfo::*field,
                               BSTR* out) const noexcept {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    AccessInfo info;
    const HRESULT found = Lookup(child, info);
    return SUCCEEDED(found) ? AnswerText(info.*field, out) : found;
}

HRESULT CZelAccessible::NumberOf(const VARIANT& child, long AccessInfo::*field,
                                 VARIANT* out) const noexcept {
    if (out == nullptr) {
        return E_POINTER;
    }
    VariantInit(out);
    AccessInfo info;
    const HRESULT found = Lookup(child, info);
    if (SUCCEEDED(found)) {
        SetChildId(out, info.*field);
    }
    return found;
}

// ---- IAccessible ----------------------------------------------------------------------------

HRESULT CZelAccessible::get_accParent(IDispatch** parent) noexcept {
    if (parent == nullptr) {
        return E_POINTER;
    }
    *parent = nullptr;
    if (!subject_.IsConnected()) {
        return RPC_E_DISCONNECTED;
    }
    return standard_ != nullptr ? standard_->get_accParent(parent) : S_FALSE;
}

HRESULT CZelAccessible::get_accChildCount(long* count) noexcept {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    if (!subject_.IsConnected()) {
        return RPC_E_DISCONNECTED;
    }
    if (subject_.HasItems()) {
        *count = subject_.ItemCount();
        return S_OK;
    }
    return standard_ != nullptr ? standard_->get_accChildCount(count) : S_OK;
}

HRESULT CZelAccessible::get_accChild(VARIANT child, IDispatch** object) noexcept {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (!subject_.IsConnected()) {
        return RPC_E_DISCONNECTED;
    }
    if (!subject_.HasItems()) {
        return standard_ != nullptr ? standard_->get_accChild(child, object) : E_INVALIDARG;
    }
    int index = -1;
    // Items are simple elements: the control answers for them by child id.
    return subject_.ChildIndex(child, index) && index >= 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT CZelAccessible::get_accName(VARIANT child, BSTR* name) noexcept {
    return TextOf(child, &AccessInfo::name, name);
}

HRESULT CZelAccessible::get_accValue(VARIANT child, BSTR* value) noexcept {
    return TextOf(child, &AccessInfo::value, value);
}

HRESULT CZelAccessible::get_accRole(VARIANT child, VARIANT* role) noexcept {
    return NumberOf(child, &AccessInfo::role, role);
}

HRESULT CZelAccessible::get_accState(VARIANT child, VARIANT* state) noexcept {
    return NumberOf(child, &AccessInfo::state, state);
}

HRESULT CZelAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* keys) noexcept {
    return TextOf(child, &AccessInfo::keyboardShortcut, keys);
}

HRESULT CZelAccessible::get_accFocus(VARIANT* child) noexcept {
    if (child == nullptr) {
        return E_POINTER;
    }
    VariantInit(child);
    if (!subject_.IsConnected()) {
        return RPC_E_DISCONNECTED;
    }
    const int item = subject_.FocusedItem();
    if (GetFocus() != subject_.Window() && item < 0) {
        return S_FALSE;
    }
    SetChildId(child, ChildIdOf(item));
    return S_OK;
}

HRESULT CZelAccessible::get_accSelection(VARIANT* children) noexcept {
    if (children == nullptr) {
        return E_POINTER;
    }
    VariantInit(children);
    if (!subject_.IsConnected()) {
        return RPC_E_DISCONNECTED;
    }
    const int selected = subject_.SelectedItem();
    if (selected < 0) {
        return S_FALSE;
    }
    SetChildId(children, ChildIdOf(selected));
    return S_OK;
}

HRESULT CZelAccessible::get_accDefaultAction(VARIANT child, BSTR* action) noexcept {
    return TextOf(child, &AccessInfo::defaultAction, action);
}

HRESULT CZelAccessible::accSelect(long flags, VARIANT child) noexcept {
    int index = -1;
    if (!subject_.IsConnected()) {
        return RPC_E_DISCONNECTED;
    }
    if (!subject_.ChildIndex(child, index)) {
        return E_INVALIDARG;
    }
    // Taking the focus is all a skinned control offers; items are chosen by their action.
    if (index >= 0 || flags != SELFLAG_TAKEFOCUS) {
        return DISP_E_MEMBERNOTFOUND;
    }
    HWND window = subject_.Window();
    return SetFocus(window) != nullptr || GetFocus() == window ? S_OK : S_FALSE;
}

HRESULT CZelAccessible::accLocation(long* left, long* top, long* width, long* height,
                                    VARIANT child) noexcept {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
        return E_POINTER;
    }
    *left = *top = *width = *height = 0;
    AccessInfo info;
    RECT where{};
    if (const HRESULT found = Lookup(child, info, &where); FAILED(found)) {
        return found;
    }
    *left = where.left;
    *top = where.top;
    *width = where.right - where.left;
    *height = where.bottom - where.top;
    return S_OK;
}

HRESULT CZelAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) noexcept {
    if (end == nullptr) {
        return E_POINTER;
    }
    VariantInit(end);
    int index = -1;
    if (!subject_.IsConnected()) {
        return RPC_E_DISCONNECTED;
    }
    if (!subject_.ChildIndex(start, index)) {
        return E_INVALIDARG;
    }
    if (!subject_.HasItems() ||
        (index < 0 && direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD)) {
        // Between windows: the system's object knows the way.
        return standard_ != nullptr ? standard_->accNavigate(direction, start, end) : S_FALSE;
    }
    const int next = subject_.Navigate(index, direction);
    if (next < 0) {
        return S_FALSE;
    }
    SetChildId(end, ChildIdOf(next));
    return S_OK;
}

HRESULT CZelAccessible::accHitTest(long x, long y, VARIANT* child) noexcept {
    if (child == nullptr) {
        return E_POINTER;
    }
    VariantInit(child);
    if (!subject_.IsConnected()) {
        return RPC_E_DISCONNECTED;
    }
    if (!subject_.HasItems()) {
        return standard_ != nullptr ? standard_->accHitTest(x, y, child) : S_FALSE;
    }
    const POINT point{x, y};
    if (const int item = subject_.ItemAt(point); item >= 0) {
        SetChildId(child, ChildIdOf(item));
        return S_OK;
    }
    RECT window{};
    GetWindowRect(subject_.Window(), &window);
    if (!PtInRect(&window, point)) {
        return S_FALSE;
    }
    SetChildId(child, CHILDID_SELF);
    return S_OK;
}

HRESULT CZelAccessible::accDoDefaultAction(VARIANT child) noexcept {
    AccessInfo info;
    if (const HRESULT found = Lookup(child, info); FAILED(found)) {
        return found;
    }
    if (info.defaultAction.empty()) {
        return DISP_E_MEMBERNOTFOUND;
    }
    if ((info.state & STATE_SYSTEM_UNAVAILABLE) != 0) {
        return E_FAIL;
    }
    // Run later from the window's own loop, as a click is: the action may open a modal dialog.
    return PostMessageW(subject_.Window(), ActionMessage(), static_cast<WPARAM>(child.lVal), 0)
               ? S_OK
               : E_FAIL;
}

// ---- IOleWindow -----------------------------------------------------------------------------

HRESULT CZelAccessible::GetWindow(HWND* window) noexcept {
    if (window == nullptr) {
        return E_POINTER;
    }
    *window = subject_.Window();
    return *window != nullptr ? S_OK : RPC_E_DISCONNECTED;
}
