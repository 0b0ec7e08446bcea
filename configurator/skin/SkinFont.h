#pragma once
// CSkinFont: a control's font, given as a height in 96-DPI pixels. It is made at the skin
// scale when first used, not when the control is constructed (the main window's controls are
// constructed before the scale is known), and made again once the scale has changed.

#include <windows.h>

#include <cstdint>

#include "skin/ScopedWin.h"

class CSkinFont {
  public:
    explicit CSkinFont(int pixelHeight) noexcept : height_(pixelHeight) {}

    // A new height; the font is made again on its next use.
    void SetHeight(int pixelHeight) noexcept;
    int Height() const noexcept { return height_; }
    // The font at the current skin scale; null when it cannot be made.
    HFONT Get() const noexcept;

  private:
    int height_;
    mutable ScopedFont font_;
    mutable uint32_t dpi_ = 0;  // the scale the font was made at
};
