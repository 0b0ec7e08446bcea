#pragma once
// CZelAccessible: the IAccessible object of a skinned control's client area, which the control
// hands out on WM_GETOBJECT (LresultFromObject). Role, name, state, value, default action and the
// control's items come from the control's AccessSource at every question; where the window
// itself answers (its parent, its place, its child windows) the system's standard object for the
// window does. The default action is posted to the window and run from its message loop, as a
// click would be, so that a reader in another process never waits on a dialog it opens.

#include <windows.h>
#include <oleacc.h>

#include "skin/AccessSource.h"
#include "skin/AccessSubject.h"
#include "skin/AccessibleObject.h"

class CZelAccessible final : public AccessibleObject {
  public:
    // A new object for the window with one reference, or null without memory.
    static CZelAccessible* Create(HWND window, AccessSource& source) noexcept;
    // The message the object posts to its window to run a default action: wParam is the child
    // id (0 for the control, 1 … for its items). The window calls RunPostedAction.
    static UINT ActionMessage() noexcept;
    static void RunPostedAction(AccessSource& source, WPARAM childId) noexcept;

    // The answer to WM_GETOBJECT (its wParam given): a reference to this object for the reader,
    // or a failure code (negative).
    LRESULT Answer(WPARAM flags) noexcept;
    // The window is going: every question fails from now on, and readers holding the object are
    // cut off.
    void Disconnect() noexcept;
    // Tells readers what changed in the control since the last look: name, state and value
    // changes, and the item that took the focus (a menu entry, a list row).
    void NoteChanges() noexcept;

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) noexcept override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) noexcept override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) noexcept override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start,
                                          VARIANT* end) noexcept override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) noexcept override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) noexcept override;
    // IOleWindow: the window the object stands for (WindowFromAccessibleObject).
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) noexcept override;

  private:
    CZelAccessible(HWND window, AccessSource& source) noexcept;
    ~CZelAccessible() override;

    // The description of the child a reader names: S_OK, RPC_E_DISCONNECTED once the window is
    // gone, E_INVALIDARG for a child that is not there.
    HRESULT Lookup(const VARIANT& child, AccessInfo& info, RECT* where = nullptr) const noexcept;
    // One text or number of the child's description, as the get_acc... questions answer.
    HRESULT TextOf(const VARIANT& child, std::wstring AccessInfo::*field, BSTR* out) const noexcept;
    HRESULT NumberOf(const VARIANT& child, long AccessInfo::*field, VARIANT* out) const noexcept;

    AccessSubject subject_;
    IAccessible* standard_ = nullptr;  // the system's object for the window, for what it knows
    AccessInfo seen_;                  // what readers were last told of, for the change events
    int seenFocusedItem_ = -1;
    bool seenAnything_ = false;
};
