#include "skin/ZelCheckBox.h"

void CZelCheckBox::SetChecked(bool checked) noexcept {
    if (checked_ == checked) {
        return;  // no repaint without a change
    }
    checked_ = checked;
    Redraw();
}

void CZelCheckBox::OnHoverStarted() noexcept {
    NotifyParent(ControlId(), 0);
}

void CZelCheckBox::OnReleased(bool wasPressed) noexcept {
    // The click command went out during the default handling, before this.
    if (wasPressed) {
        checked_ = !checked_;
    }
}

bool CZelCheckBox::DescribeSelf(AccessInfo& info) const noexcept {
    if (!CZelButtonBase::DescribeSelf(info) || AccessHintOf() != AccessHint::kNone) {
        return true;
    }
    info.role = ROLE_SYSTEM_CHECKBUTTON;
    info.state = (info.state & ~STATE_SYSTEM_PRESSED) | (checked_ ? STATE_SYSTEM_CHECKED : 0);
    info.state |= State() == kSkinDown ? STATE_SYSTEM_PRESSED : 0;
    info.defaultAction = checked_ ? L"Uncheck" : L"Check";
    return true;
}
