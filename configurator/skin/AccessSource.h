#pragma once
// AccessSource: what a skinned control tells screen readers about itself. The control's
// CZelAccessible (the IAccessible object it hands out on WM_GETOBJECT) asks it at every question,
// so the answers always follow the control. Windows of the framework implement it (CZelWnd).

#include <windows.h>
#include <oleacc.h>

#include <string>

struct AccessInfo {
    long role = ROLE_SYSTEM_CLIENT;
    std::wstring name;
    std::wstring value;
    // STATE_SYSTEM_... flags only the control knows (checked, pressed, selected, has a pop-up).
    // Focused, unavailable, invisible and focusable are read from the window.
    long state = 0;
    // "Press", "Check", ...; empty when there is nothing to do.
    std::wstring defaultAction;
    std::wstring keyboardShortcut;
};

class AccessSource {
  public:
    // The control itself; false when it has nothing of its own to tell, and the system's
    // standard object answers for the window.
    virtual bool DescribeSelf(AccessInfo& info) const noexcept = 0;
    // The items inside the control (list rows, menu entries), or -1 when it has none of its own
    // and its child windows are its children.
    virtual int AccessItemCount() const noexcept { return -1; }
    // Item `index` (from 0) and its rectangle in client coordinates; false when there is none.
    virtual bool DescribeItem(int, AccessInfo&, RECT&) const noexcept { return false; }
    // Does what the default action of the control (index -1) or of an item says, the way the
    // user's click does it; false when there is nothing to do.
    virtual bool DoAccessAction(int) noexcept { return false; }

  protected:
    ~AccessSource() = default;
};
