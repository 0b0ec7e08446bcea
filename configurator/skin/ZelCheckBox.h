#pragma once
// CZelCheckBox: a box drawn only from skin images that toggles when clicked. The parent's
// click handler runs before the toggle and still sees the old state.

#include "skin/ZelButtonBase.h"

class CZelCheckBox : public CZelButtonBase {
  public:
    void SetChecked(bool checked) noexcept;
    bool IsChecked() const noexcept { return checked_; }

  protected:
    void OnHoverStarted() noexcept override;
    void OnReleased(bool wasPressed) noexcept override;
    bool ShowsDown() const noexcept override { return checked_; }
    // A check box, or a radio button when its label says it is one of a set.
    bool DescribeSelf(AccessInfo& info) const noexcept override;

  private:
    bool checked_ = false;
};
