#pragma once
// A dialog drawn entirely from a background bitmap and shaped by a mask bitmap. It draws no
// text of its own, can be dragged by its body and draws its skin buttons.

#include <windows.h>

#include "app/DialogBase.h"
#include "app/ScopedWin.h"

class CSkinnedDialog : public CDialogBase {
  public:
    ~CSkinnedDialog() override = default;

  protected:
    explicit CSkinnedDialog(int templateId) : CDialogBase(templateId) {}

    // Loads both bitmaps and gives the window the background's size at 0,0 and the mask's
    // shape (white cut away). Applied again, it frees the earlier images.
    void ApplySkin(int backgroundId, int maskId);
    HBITMAP BackgroundImage() const { return background_.Get(); }
    HBITMAP MaskImage() const { return mask_.Get(); }
    // Drawn centred instead of the background while the window is minimised.
    void SetMinimisedIcon(HICON icon) { minimisedIcon_ = icon; }
    void CentreOn(HWND over);

    // The skin's share of the messages; subclasses pass on what they do not handle.
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void OnPaint();
    void OnLButtonDown();

    ScopedBitmap background_;
    ScopedBitmap mask_;
    HICON minimisedIcon_ = nullptr;
};
