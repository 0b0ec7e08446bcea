#include "skin/SkinFont.h"

#include "skin/SkinImages.h"

void CSkinFont::SetHeight(int pixelHeight) noexcept {
    if (pixelHeight != height_) {
        height_ = pixelHeight;
        dpi_ = 0;
    }
}

HFONT CSkinFont::Get() const noexcept {
    const uint32_t dpi = SkinScale().Dpi();
    if (!font_ || dpi_ != dpi) {
        font_.Reset(CreateSkinFont(height_));
        dpi_ = dpi;
    }
    return font_.Get();
}
