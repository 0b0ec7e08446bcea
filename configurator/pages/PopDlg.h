#pragma once
// CPopDlg: the configurator's one modal pop-up: a warning or a confirmation, one of the three
// screens of the surface analysis, or the capture of a single key for a mouse button. The mode
// is the piece id of its skin's background. RunModal returns 1 for OK, 2 for Cancel or Close.

#include "skin/ZelButton.h"
#include "skin/ZelImageDialog.h"
#include "skin/ZelStatic.h"

class CZelComboButton;
class DeviceLink;
struct PopupLayout;

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

    // While a key is being captured, key presses never reach the pop-up's controls.
    bool PreTranslateMessage(MSG& msg) noexcept override;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
    bool OnInitDialog() noexcept override;
    // Enter and Escape.
    void OnOK() noexcept override;
    void OnCancel() noexcept override;
    bool OnCommand(int id, int code, HWND control) noexcept override;
    bool OnTimer(UINT_PTR id) noexcept override;
    // In every mode: the hook, if this pop-up holds one, goes with its window.
    void OnDestroy() noexcept override;

  private:
    void PlaceControls(const PopupLayout& layout) noexcept;
    void CentreOverMainWindow() noexcept;
    void StartCountdown() noexcept;
    void StartKeyCapture() noexcept;
    void OnCountdownTick() noexcept;
    void OnHookEvent(WPARAM virtualKey) noexcept;
    // The OK and Cancel/Close actions of the mode.
    void Accept() noexcept;
    void Decline() noexcept;
    // Runs the next screen of the analysis over this one and ends with its result.
    void ContinueWith(PopupMode next) noexcept;

    PopupMode mode_;
    HWND parent_;
    DeviceLink* link_;
    CZelComboButton* targetSlot_ = nullptr;
    int capturedKey_ = 0;
    CZelButton ok_;
    CZelButton cancel_;
    CZelButton close_;
    CZelStatic time_;
    CZelStatic image_;
};
