#include "skin/ZelStatic.h"

#include "skin/BufferedPaint.h"
#include "skin/SkinImages.h"

namespace {
constexpr int kDefaultFontHeight = 15;
constexpr LPARAM kDoubleClickValue = 1;
}  // namespace

CZelStatic::CZelStatic() noexcept : font_(kDefaultFontHeight) {}

CZelStatic::~CZelStatic() {
    Detach();
}

void CZelStatic::SetImage(SkinImage image) noexcept {
    singleImage_ = std::move(image);
}

void CZelStatic::SetFontHeight(int pixels) noexcept {
    font_.SetHeight(pixels);
}

void CZelStatic::SetText(const std::wstring& text) noexcept {
    if (currentText_ == 0 && !texts_.empty() && texts_[0] == text) {
        return;  // no repaint without a change
    }
    if (texts_.empty()) {
        texts_.push_back(text);
    } else {
        texts_[0] = text;
    }
    currentText_ = 0;
    Redraw();
}

std::wstring CZelStatic::GetText() const {
    if (currentText_ < 0 || currentText_ >= static_cast<int>(texts_.size())) {
        return {};
    }
    return texts_[currentText_];
}

LRESULT CZelStatic::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
        case WM_LBUTTONDBLCLK:
            NotifyParent(ControlId(), kDoubleClickValue);
            return DefaultHandling(msg, wParam, lParam);
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
            // What the static shows is the current entry of its text list.
            return AnswerTextQuery(msg, GetText(), wParam, lParam);
        default:
            return CZelOwnerDrawnStatic::HandleMessage(msg, wParam, lParam);
    }
}

void CZelStatic::OnDrawItem(const DRAWITEMSTRUCT& item) noexcept {
    BufferedPaint paint(item);
    if (!paint.IsValid()) {
        return;
    }
    const int width = paint.Width();
    const int height = paint.Height();
    // What lies behind first, so a see-through fill or a changed text never draws over the
    // previous picture.
    DrawParentBackground(Hwnd(), paint.Dc());
    Gdiplus::Graphics& graphics = paint.Graphics();
    Gdiplus::SolidBrush fill{Gdiplus::Color(static_cast<Gdiplus::ARGB>(fillColour_))};
    graphics.FillRectangle(&fill, 0, 0, width, height);
    DrawSkinImage(graphics, singleImage_.Get(), 0, 0, width, height);
    if (currentImage_ >= 0 && currentImage_ < static_cast<int>(images_.size())) {
        DrawSkinImage(graphics, images_[currentImage_].Get(), 0, 0, width, height);
    }
    if (currentText_ >= 0 && currentText_ < static_cast<int>(texts_.size())) {
        DrawLabelRecord label;
        label.text = texts_[currentText_];
        label.colour = ArgbToColourRef(textColour_);
        label.centreVertically = true;
        label.right = width;
        label.bottom = height;
        DrawLabel(label, font_.Get(), paint.Dc());
    }
}

bool CZelStatic::DescribeSelf(AccessInfo& info) const noexcept {
    info.role = ROLE_SYSTEM_STATICTEXT;
    info.name = AccessNameOr(GetText());
    info.value = AccessName().empty() ? std::wstring() : GetText();
    info.state |= STATE_SYSTEM_READONLY;
    return true;
}
