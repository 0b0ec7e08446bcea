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
    : window_(window), source_(&source) {
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
    if (source_ == nullptr) {
        return;
    }
    source_ = nullptr;
    window_ = nullptr;
    if (standard_ != nullptr) {
        standard_->Release();
        standard_ = nullptr;
    }
    // Readers in other processes keep proxies; their next call learns that the object is gone.
    CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

void CZelAccessible::NoteChanges() noexcept {
    AccessInfo now;
    if (source_ == nullptr || !source_->DescribeSelf(now)) {
        return;
    }
    if (seenAnything_) {
        if (now.name != seen_.name) {
            NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
        }
        if (now.state != seen_.state) {
            NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
        }
        if (now.value != seen_.value) {
            NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
        }
    }
    const int focused = FocusedItem();
    if (focused >= 0 && focused != seenFocusedItem_) {
        NotifyWinEvent(EVENT_OBJECT_FOCUS, window_, OBJID_CLIENT, ChildIdOf(focused));
    }
    seen_ = std::move(now);
    seenFocusedItem_ = focused;
    seenAnything_ = true;
}

// ---- IUnknown -------------------------------------------------------------------------------

HRESULT CZelAccessible::QueryInterface(REFIID riid, void** object) noexcept {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        IsEqualIID(riid, IID_IAccessible)) {
        *object = static_cast<IAccessible*>(this);
    } else if (IsEqualIID(riid, IID_IOleWindow)) {
        *object = static_cast<IOleWindow*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG CZelAccessible::AddRef() noexcept {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG CZelAccessible::Release() noexcept {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

// ---- IDispatch ------------------------------------------------------------------------------

HRESULT CZelAccessible::GetTypeInfoCount(UINT* count) noexcept {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT CZelAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept {
    if (info != nullptr) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT CZelAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept {
    return E_NOTIMPL;
}

HRESULT CZelAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                               UINT*) noexcept {
    return E_NOTIMPL;
}

// ---- what the control says ------------------------------------------------------------------

bool CZelAccessible::HasItems() const noexcept {
    return source_ != nullptr && source_->AccessItemCount() >= 0;
}

bool CZelAccessible::ChildIndex(const VARIANT& child, int& index) const noexcept {
    if (child.vt != VT_I4) {
        return false;
    }
    if (child.lVal == CHILDID_SELF) {
        index = -1;
        return true;
    }
    if (!HasItems() || child.lVal < 1 || child.lVal > source_->AccessItemCount()) {
        return false;
    }
    index = static_cast<int>(child.lVal) - 1;
    return true;
}

bool CZelAccessible::Describe(int index, AccessInfo& info, RECT* where) const noexcept {
    if (source_ == nullptr) {
        return false;
    }
    RECT itemRect{};
    if (index < 0) {
        if (!source_->DescribeSelf(info)) {
            return false;
        }
        const LONG style = GetWindowLongW(window_, GWL_STYLE);
        if (!IsWindowVisible(window_)) {
            info.state |= STATE_SYSTEM_INVISIBLE;
        }
        if (!IsWindowEnabled(window_)) {
            info.state |= STATE_SYSTEM_UNAVAILABLE;
        }
        if ((style & WS_TABSTOP) != 0) {
            info.state |= STATE_SYSTEM_FOCUSABLE;
        }
        if (GetFocus() == window_) {
            info.state |= STATE_SYSTEM_FOCUSED;
        }
        GetClientRect(window_, &itemRect);
    } else if (!source_->DescribeItem(index, info, itemRect)) {
        return false;
    }
    if (where != nullptr) {
        MapWindowPoints(window_, HWND_DESKTOP, reinterpret_cast<POINT*>(&itemRect), 2);
        *where = itemRect;
    }
    return true;
}

HRESULT CZelAccessible::Lookup(const VARIANT& child, AccessInfo& info, RECT* where) const noexcept {
    if (source_ == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    int index = -1;
    return ChildIndex(child, index) && Describe(index, info, where) ? S_OK : E_INVALIDARG;
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

int CZelAccessible::FocusedItem() const noexcept {
    if (!HasItems()) {
        return -1;
    }
    const int count = source_->AccessItemCount();
    for (int i = 0; i < count; ++i) {
        AccessInfo info;
        RECT where{};
        if (source_->DescribeItem(i, info, where) && (info.state & STATE_SYSTEM_FOCUSED) != 0) {
            return i;
        }
    }
    return -1;
}

// ---- IAccessible ----------------------------------------------------------------------------

HRESULT CZelAccessible::get_accParent(IDispatch** parent) noexcept {
    if (parent == nullptr) {
        return E_POINTER;
    }
    *parent = nullptr;
    if (source_ == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    return standard_ != nullptr ? standard_->get_accParent(parent) : S_FALSE;
}

HRESULT CZelAccessible::get_accChildCount(long* count) noexcept {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    if (source_ == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    if (HasItems()) {
        *count = source_->AccessItemCount();
        return S_OK;
    }
    return standard_ != nullptr ? standard_->get_accChildCount(count) : S_OK;
}

HRESULT CZelAccessible::get_accChild(VARIANT child, IDispatch** object) noexcept {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (source_ == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    if (!HasItems()) {
        return standard_ != nullptr ? standard_->get_accChild(child, object) : E_INVALIDARG;
    }
    int index = -1;
    // Items are simple elements: the control answers for them by child id.
    return ChildIndex(child, index) && index >= 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT CZelAccessible::get_accName(VARIANT child, BSTR* name) noexcept {
    return TextOf(child, &AccessInfo::name, name);
}

HRESULT CZelAccessible::get_accValue(VARIANT child, BSTR* value) noexcept {
    return TextOf(child, &AccessInfo::value, value);
}

HRESULT CZelAccessible::get_accDescription(VARIANT, BSTR* text) noexcept {
    return AnswerText(std::wstring(), text);
}

HRESULT CZelAccessible::get_accRole(VARIANT child, VARIANT* role) noexcept {
    return NumberOf(child, &AccessInfo::role, role);
}

HRESULT CZelAccessible::get_accState(VARIANT child, VARIANT* state) noexcept {
    return NumberOf(child, &AccessInfo::state, state);
}

HRESULT CZelAccessible::get_accHelp(VARIANT, BSTR* help) noexcept {
    return AnswerText(std::wstring(), help);
}

HRESULT CZelAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) noexcept {
    if (file != nullptr) {
        *file = nullptr;
    }
    if (topic != nullptr) {
        *topic = -1;
    }
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT CZelAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* keys) noexcept {
    return TextOf(child, &AccessInfo::keyboardShortcut, keys);
}

HRESULT CZelAccessible::get_accFocus(VARIANT* child) noexcept {
    if (child == nullptr) {
        return E_POINTER;
    }
    VariantInit(child);
    if (source_ == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    const int item = FocusedItem();
    if (GetFocus() != window_ && item < 0) {
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
    if (source_ == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    // One selection at most: the lists and menus of the skin select single items.
    const int count = HasItems() ? source_->AccessItemCount() : 0;
    for (int i = 0; i < count; ++i) {
        AccessInfo info;
        if (Describe(i, info) && (info.state & STATE_SYSTEM_SELECTED) != 0) {
            SetChildId(children, ChildIdOf(i));
            return S_OK;
        }
    }
    return S_FALSE;
}

HRESULT CZelAccessible::get_accDefaultAction(VARIANT child, BSTR* action) noexcept {
    return TextOf(child, &AccessInfo::defaultAction, action);
}

HRESULT CZelAccessible::accSelect(long flags, VARIANT child) noexcept {
    int index = -1;
    if (source_ == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    if (!ChildIndex(child, index)) {
        return E_INVALIDARG;
    }
    // Taking the focus is all a skinned control offers; items are chosen by their action.
    if (index >= 0 || flags != SELFLAG_TAKEFOCUS) {
        return DISP_E_MEMBERNOTFOUND;
    }
    return SetFocus(window_) != nullptr || GetFocus() == window_ ? S_OK : S_FALSE;
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
    if (source_ == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    if (!ChildIndex(start, index)) {
        return E_INVALIDARG;
    }
    if (!HasItems() ||
        (index < 0 && direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD)) {
        // Between windows: the system's object knows the way.
        return standard_ != nullptr ? standard_->accNavigate(direction, start, end) : S_FALSE;
    }
    const int count = source_->AccessItemCount();
    int next = -1;
    switch (direction) {
        case NAVDIR_FIRSTCHILD:
            next = index < 0 ? 0 : -1;
            break;
        case NAVDIR_LASTCHILD:
            next = index < 0 ? count - 1 : -1;
            break;
        case NAVDIR_NEXT:
        case NAVDIR_DOWN:
            next = index + 1;
            break;
        case NAVDIR_PREVIOUS:
        case NAVDIR_UP:
            next = index - 1;
            break;
        default:
            return S_FALSE;
    }
    if (next < 0 || next >= count) {
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
    if (source_ == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    if (!HasItems()) {
        return standard_ != nullptr ? standard_->accHitTest(x, y, child) : S_FALSE;
    }
    const POINT point{x, y};
    const int count = source_->AccessItemCount();
    for (int i = 0; i < count; ++i) {
        AccessInfo info;
        RECT where{};
        if (Describe(i, info, &where) && PtInRect(&where, point)) {
            SetChildId(child, ChildIdOf(i));
            return S_OK;
        }
    }
    RECT window{};
    GetWindowRect(window_, &window);
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
    return PostMessageW(window_, ActionMessage(), static_cast<WPARAM>(child.lVal), 0) ? S_OK
                                                                                      : E_FAIL;
}

HRESULT CZelAccessible::put_accName(VARIANT, BSTR) noexcept {
    return E_NOTIMPL;
}

HRESULT CZelAccessible::put_accValue(VARIANT, BSTR) noexcept {
    return E_NOTIMPL;
}

// ---- IOleWindow -----------------------------------------------------------------------------

HRESULT CZelAccessible::GetWindow(HWND* window) noexcept {
    if (window == nullptr) {
        return E_POINTER;
    }
    *window = window_;
    return window_ != nullptr ? S_OK : RPC_E_DISCONNECTED;
}

HRESULT CZelAccessible::ContextSensitiveHelp(BOOL) noexcept {
    return E_NOTIMPL;
}
