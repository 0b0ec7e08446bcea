#pragma once
// WindowAccess: a window's side of screen readers: the label that names the control when its
// own text does not say what it is for, the accessible object made at a reader's first question
// and cut off when the window goes, and the events that tell readers of the focus and of pop-ups.

#include <windows.h>

#include <string>

#include "skin/AccessSource.h"
#include "skin/logic/AccessLabel.h"

class CZelAccessible;

class WindowAccess {
  public:
    WindowAccess() = default;
    ~WindowAccess();
    WindowAccess(const WindowAccess&) = delete;
    WindowAccess& operator=(const WindowAccess&) = delete;

    void SetLabel(const std::wstring& name, AccessHint hint) noexcept;
    const std::wstring& Name() const noexcept { return name_; }
    AccessHint Hint() const noexcept { return hint_; }

    // WM_GETOBJECT to `window`: the accessible object of its client area, answering from
    // `source`, when the source has something to tell. False: the system answers.
    bool OnGetObject(HWND window, AccessSource& source, WPARAM flags, LPARAM objectId,
                     LRESULT& result) noexcept;
    // A reader that asked about the control hears what changed.
    void NoteChanges() noexcept;
    // The window is going: readers holding the object are cut off.
    void Disconnect() noexcept;
    void OnFocusChanged(HWND window, const AccessSource& source, bool gained) noexcept;
    // A popup menu tells readers that it opened or closed, as the system's menus do.
    void OnShownOrHidden(HWND window, const AccessSource& source, bool shown) noexcept;

  private:
    CZelAccessible* accessible_ = nullptr;  // made at the first question of a reader
    std::wstring name_;
    AccessHint hint_ = AccessHint::kNone;
};
