#include "ZelCheckBox.h"

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
