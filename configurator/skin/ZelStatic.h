#pragma once
// CZelStatic: an owner-drawn static showing a fill colour, a single image, one image of a list
// and one text of a list. Colour swatches, version labels, countdowns and animations.

#include <string>
#include <vector>

#include "skin/SkinFont.h"
#include "skin/ScopedWin.h"
#include "skin/SkinImage.h"
#include "skin/ZelOwnerDrawnStatic.h"
#include "skin/logic/SkinPieces.h"

class CZelStatic : public CZelOwnerDrawnStatic {
  public:
    CZelStatic() noexcept;
    ~CZelStatic() override;

    // Replaces (and frees) the image drawn under the listed image.
    void SetImage(SkinImage image) noexcept;
    void SetFontHeight(int pixels) noexcept;
    // Stores the text as the first entry of the text list, makes it current and redraws.
    void SetText(const std::wstring& text) noexcept;
    // The current entry, or empty when the current index is outside the list.
    std::wstring GetText() const;

    // The owner fills the lists, sets the indexes and colours, then calls Redraw.
    std::vector<SkinImage>& Images() noexcept { return images_; }
    std::vector<std::wstring>& Texts() noexcept { return texts_; }
    void SetCurrentImage(int index) noexcept { currentImage_ = index; }
    int CurrentImage() const noexcept { return currentImage_; }
    void SetCurrentText(int index) noexcept { currentText_ = index; }
    int CurrentText() const noexcept { return currentText_; }
    // ARGB colours; a fill whose alpha is 0 shows nothing.
    void SetTextColour(uint32_t argb) noexcept { textColour_ = argb; }
    uint32_t TextColour() const noexcept { return textColour_; }
    void SetFillColour(uint32_t argb) noexcept { fillColour_ = argb; }
    uint32_t FillColour() const noexcept { return fillColour_; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
    // Static text: its label (the text then its value) or the text it shows.
    bool DescribeSelf(AccessInfo& info) const noexcept override;

  private:
    void OnDrawItem(const DRAWITEMSTRUCT& item) noexcept override;

    std::vector<SkinImage> images_;
    int currentImage_ = 0;
    std::vector<std::wstring> texts_;
    int currentText_ = 0;
    SkinImage singleImage_;
    uint32_t textColour_ = kArgbWhite;
    uint32_t fillColour_ = 0x00000000;
    CSkinFont font_;
};
