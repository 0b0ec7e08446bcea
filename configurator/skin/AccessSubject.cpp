#include "skin/AccessSubject.h"

void AccessSubject::Disconnect() noexcept {
    source_ = nullptr;
    window_ = nullptr;
}

bool AccessSubject::DescribeControl(AccessInfo& info) const noexcept {
    return source_ != nullptr && source_->DescribeSelf(info);
}

bool AccessSubject::HasItems() const noexcept {
    return source_ != nullptr && source_->AccessItemCount() >= 0;
}

int AccessSubject::ItemCount() const noexcept {
    return HasItems() ? source_->AccessItemCount() : 0;
}

bool AccessSubject::ChildIndex(const VARIANT& child, int& index) const noexcept {
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

bool AccessSubject::Describe(int index, AccessInfo& info, RECT* where) const noexcept {
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

int AccessSubject::FocusedItem() const noexcept {
    const int count = ItemCount();
    for (int i = 0; i < count; ++i) {
        AccessInfo info;
        RECT where{};
        if (source_->DescribeItem(i, info, where) && (info.state & STATE_SYSTEM_FOCUSED) != 0) {
            return i;
        }
    }
    return -1;
}

int AccessSubject::SelectedItem() const noexcept {
    const int count = ItemCount();
    for (int i = 0; i < count; ++i) {
        AccessInfo info;
        if (Describe(i, info) && (info.state & STATE_SYSTEM_SELECTED) != 0) {
            return i;
        }
    }
    return -1;
}

int AccessSubject::ItemAt(POINT screenPoint) const noexcept {
    const int count = ItemCount();
    for (int i = 0; i < count; ++i) {
        AccessInfo info;
        RECT where{};
        if (Describe(i, info, &where) && PtInRect(&where, screenPoint)) {
            return i;
        }
    }
    return -1;
}

int AccessSubject::Navigate(int index, long direction) const noexcept {
    int next = -1;
    switch (direction) {
        case NAVDIR_FIRSTCHILD:
            next = index < 0 ? 0 : -1;
            break;
        case NAVDIR_LASTCHILD:
            next = index < 0 ? ItemCount() - 1 : -1;
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
            return -1;
    }
    return next >= 0 && next < ItemCount() ? next : -1;
}
