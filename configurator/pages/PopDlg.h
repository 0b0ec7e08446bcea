#pragma once
// CPopDlg: the configurator's one modal pop-up: a warning or a confirmation, one of the three
// screens of the surface analysis, or the capture of a single key for a mouse button. The mode
// is the piece id of its skin's background. RunModal returns 1 for OK, 2 for Cancel or Close.

#include "ZelImageDialog.h"

class CZelComboButton;
class DeviceLink;

enum PopupMode : int {
    kPopupLeftClickWarning = 122,
    kPopupDeleteMacro = 125,
    kPopupAnalysisStart = 129,
    kPopupAnalysisMove = 133,
    kPopupAnalysisFinish = 139,
    kPopupResetWarning = 142,
    kPopupSingleKey = 146,
};

class CPopDlg : public CZelImageDialog {
  public:
    // `link` is needed by the first analysis screen only (it starts the mouse's capture).
    CPopDlg(PopupMode mode, HWND parent, DeviceLink* link = nullptr) noexcept;
    ~CPopDlg() override;

    // Mode 146: the mouse-page slot that receives the captured key on OK.
    void SetTargetSlot(CZelComboButton* slot) noexcept { targetSlot_ = slot; }
    int CapturedKey() const noexcept { return capturedKey_; }
    PopupMode Mode() const noexcept { return mode_; }

    // Runs modally over the parent given at construction, centred over its top-level window.
    INT_PTR Run() noexcept;

  private:
    PopupMode mode_;
    HWND parent_;
    DeviceLink* link_;
    CZelComboButton* targetSlot_ = nullptr;
    int capturedKey_ = 0;
};
