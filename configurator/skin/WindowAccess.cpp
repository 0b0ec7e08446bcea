#include "skin/WindowAccess.h"

#include "skin/ZelAccessible.h"

WindowAccess::~WindowAccess() {
    Disconnect();
}

void WindowAccess::SetLabel(const std::wstring& name, AccessHint hint) noexcept {
    name_ = name;
    hint_ = hint;
}

bool WindowAccess::OnGetObject(HWND window, AccessSource& source, WPARAM flags, LPARAM objectId,
                               LRESULT& result) noexcept {
    AccessInfo probe;
    if (static_cast<LONG>(objectId) != OBJID_CLIENT || !source.DescribeSelf(probe)) {
        return false;
    }
    if (accessible_ == nullptr) {
        accessible_ = CZelAccessible::Create(window, source);
        if (accessible_ == nullptr) {
            return false;
        }
        accessible_->NoteChanges();  // what readers are told from now on
    }
    result = accessible_->Answer(flags);
    return result > 0;
}

void WindowAccess::NoteChanges() noexcept {
    if (accessible_ != nullptr) {
        accessible_->NoteChanges();
    }
}

void WindowAccess::Disconnect() noexcept {
    if (accessible_ != nullptr) {
        accessible_->Disconnect();
        accessible_->Release();
        accessible_ = nullptr;
    }
}

void WindowAccess::OnFocusChanged(HWND window, const AccessSource& source, bool gained) noexcept {
    AccessInfo probe;
    if (gained && source.DescribeSelf(probe)) {
        NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, CHILDID_SELF);
    }
}

void WindowAccess::OnShownOrHidden(HWND window, const AccessSource& source, bool shown) noexcept {
    AccessInfo probe;
    if (window != nullptr && source.DescribeSelf(probe) && probe.role == ROLE_SYSTEM_MENUPOPUP) {
        NotifyWinEvent(shown ? EVENT_SYSTEM_MENUPOPUPSTART : EVENT_SYSTEM_MENUPOPUPEND, window,
                       OBJID_CLIENT, CHILDID_SELF);
    }
}
