#pragma once
// AccessSubject: the control an accessible object speaks for, asked in terms of its items:
// index -1 is the control itself, 0 … its items (child ids 0 and 1 … to readers). What the
// control says of itself gets the window's own state added (shown, enabled, focusable, focused).
// Once the window goes the subject is cut off, and every question finds nothing.

#include <windows.h>
#include <oleacc.h>

#include "skin/AccessSource.h"

class AccessSubject {
  public:
    AccessSubject(HWND window, AccessSource& source) noexcept : window_(window), source_(&source) {}

    HWND Window() const noexcept { return window_; }
    bool IsConnected() const noexcept { return source_ != nullptr; }
    void Disconnect() noexcept;

    // What the control says of itself alone, without the window's state.
    bool DescribeControl(AccessInfo& info) const noexcept;
    bool HasItems() const noexcept;
    // 0 for a control without items of its own.
    int ItemCount() const noexcept;
    // The index a reader's VARIANT names; false for anything that is not there.
    bool ChildIndex(const VARIANT& child, int& index) const noexcept;
    // The control or an item, with its rectangle on the screen in `where`; false for an item
    // that is not there.
    bool Describe(int index, AccessInfo& info, RECT* where = nullptr) const noexcept;
    // The item whose state says focused (a menu's hot entry, the list row with the focus), or -1.
    int FocusedItem() const noexcept;
    // The selected item, or -1: the lists and menus of the skin select single items.
    int SelectedItem() const noexcept;
    // The item at a point on the screen, or -1.
    int ItemAt(POINT screenPoint) const noexcept;
    // The item a reader reaches from `index` in the NAVDIR_ direction, or -1 for none.
    int Navigate(int index, long direction) const noexcept;

  private:
    HWND window_;
    AccessSource* source_;
};
