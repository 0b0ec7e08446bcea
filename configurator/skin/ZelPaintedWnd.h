#pragma once
// CZelPaintedWnd: the base of the controls that paint the whole of their window themselves on
// WM_PAINT (the text field, the slider, the progress bar, a popup menu level). The background
// is never erased first: the painting covers all of it, and an erase would flicker.

#include "skin/ZelWnd.h"

class BufferedPaint;

class CZelPaintedWnd : public CZelWnd {
  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
    // Paints the whole window into `paint`, which is ready to draw on.
    virtual void OnPaint(BufferedPaint& paint) noexcept = 0;
};
