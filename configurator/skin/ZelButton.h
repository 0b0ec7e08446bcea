#pragma once
// CZelButton: a skinned push button with up to four state images and an optional caption.
// The owner latches it to show it selected (the chosen page tab, profile, ...).

#include <string>

#include "skin/SkinFont.h"
#include "skin/ScopedWin.h"
#include "skin/ZelButtonBase.h"

class CZelButton : public CZelButtonBase {
  public:
    CZelButton() noexcept;
    ~CZelButton() override;

    void SetCaption(const std::wstring& caption) noexcept;
    const std::wstring& Caption() const noexcept { return caption_; }
    void SetLatched(bool latched) noexcept;
    bool IsLatched() const noexcept { return latched_; }
    // ARGB colours of the caption at rest and while hovered or latched.
    void SetCaptionColours(uint32_t normal, uint32_t hot) noexcept;

  protected:
    void OnHoverStarted() noexcept override;
    bool ShowsDown() const noexcept override { return latched_; }
    bool ShownText(std::wstring& text) const noexcept override;
    void DrawCaption(HDC dc, const RECT& client) noexcept override;

  private:
    std::wstring caption_;
    CSkinFont font_;
    uint32_t captionColour_ = kArgbWhite;
    uint32_t hotCaptionColour_ = kArgbAccent;
    bool latched_ = false;
};
