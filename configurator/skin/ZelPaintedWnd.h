#pragma once
// CZelPaintedWnd: the base of the controls that paint the whole of their window themselves on
// WM_PAINT (the text field, the slider, the progress bar, a popup menu level). The background
// is never erased first: the painting covers all of it, and an erase would flicker.

#include "skin/ZelWnd.h"

class CZelPaintedWnd : public CZelWnd {
  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
    // Paints the whole window, usually through a BufferedPaint.
    virtual void OnPaint() noexcept = 0;
};
