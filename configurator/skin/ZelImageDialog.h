#pragma once
// CZelImageDialog: the base of every page and pop-up; paints a skin image as its whole
// background and takes the image's size.

#include "skin/ScopedWin.h"
#include "skin/SkinImage.h"
#include "skin/ZelDialog.h"

class CZelImageDialog : public CZelDialog {
  public:
    using CZelDialog::CZelDialog;

    // Keeps a copy of the image (the caller keeps its own, which may be a shared sheet),
    // sizes the window to it, keeping its place, and repaints.
    void SetBackground(const SkinImage& image) noexcept;
    const SkinImage& Background() const noexcept { return background_; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;

  private:
    LRESULT OnEraseBackground(HDC dc) noexcept;
    // Copies the area of a background of the window's size with GDI; false when it cannot.
    bool BlitBackground(HDC dc, const RECT& area) noexcept;

    // An opaque background lives in a GDI bitmap, which GDI+ draws from as well: copying its
    // pixels with GDI costs a fraction of drawing the image with GDI+. Declared first, as the
    // image below may use its pixels.
    ScopedBitmap backgroundBitmap_;
    SkinImage background_;
};
