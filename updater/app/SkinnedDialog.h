#pragma once
// A dialog drawn entirely from a background bitmap and shaped by a mask bitmap. It draws no
// text of its own, can be dragged by its body and draws its skin buttons. Its places are
// 96-DPI pixels, scaled to the window's DPI; moved to a screen of another scale it lays itself
// out again.

#include <windows.h>

#include "app/DialogBase.h"
#include "app/ScopedWin.h"
#include "logic/DisplayScale.h"

class CSkinnedDialog : public CDialogBase {
  public:
    ~CSkinnedDialog() override = default;

  protected:
    explicit CSkinnedDialog(int templateId) : CDialogBase(templateId) {}

    // Loads both bitmaps for the window's DPI and gives the window the background's size and
    // the mask's shape (white cut away). Applied again, it frees the earlier images.
    void ApplySkin(int backgroundId, int maskId);
    // Called again when the DPI changes: applies the last skin again. Windows with controls
    // apply their skin and place their controls here.
    virtual void LayOut() { ApplySkin(backgroundId_, maskId_); }
    // The DPI of the last ApplySkin, and a 96-DPI size or place at it.
    UINT Dpi() const { return scale_.Dpi(); }
    SIZE ScaledSize(SIZE size) const;
    RECT ScaledPlace(const RECT& place) const;
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
    void OnDpiChanged(UINT dpi, const RECT& suggested);

    UINT dpi_ = 0;  // the DPI of the last change of screen; 0: the window's own
    DisplayScale scale_{DisplayScale::kBaseDpi};
    int backgroundId_ = 0;
    int maskId_ = 0;
    ScopedBitmap background_;
    ScopedBitmap mask_;
    HICON minimisedIcon_ = nullptr;
};
