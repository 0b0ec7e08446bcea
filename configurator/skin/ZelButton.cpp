#include "skin/ZelButton.h"

#include "skin/SkinImages.h"

namespace {
constexpr int kFontHeight = 15;
constexpr int kCaptionIndent = 5;
}  // namespace

CZelButton::CZelButton() noexcept : font_(kFontHeight) {}

CZelButton::~CZelButton() {
    Detach();
}

// Setters repaint only on a change: under Wine each window's repaint is a string of server round
// trips, and a page or profile switch sets every control.
void CZelButton::SetCaption(const std::wstring& caption) noexcept {
    if (caption_ == caption) {
        return;
    }
    caption_ = caption;
    Redraw();
}

void CZelButton::SetLatched(bool latched) noexcept {
    if (latched_ == latched) {
        return;
    }
    latched_ = latched;
    Redraw();
}

void CZelButton::SetCaptionColours(uint32_t normal, uint32_t hot) noexcept {
    captionColour_ = normal;
    hotCaptionColour_ = hot;
    Redraw();
}

void CZelButton::OnHoverStarted() noexcept {
    NotifyParent(ControlId(), 0);
}

void CZelButton::DrawCaption(HDC dc, const RECT& client) noexcept {
    if (caption_.empty()) {
        return;
    }
    const bool hot = latched_ || State() == kSkinOver;
    DrawCaptionText(dc, client, caption_, font_.Get(), hot ? hotCaptionColour_ : captionColour_,
                    kCaptionIndent);
}

bool CZelButton::ShownText(std::wstring& text) const noexcept {
    if (caption_.empty()) {
        return false;
    }
    text = caption_;
    return true;
}
