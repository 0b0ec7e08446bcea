#include "skin/ZelEdit.h"

#include "skin/BufferedPaint.h"
#include "skin/SkinImages.h"

namespace {
constexpr int kDefaultFontHeight = 14;
constexpr Gdiplus::ARGB kFrameColour = 0xFF969696;
constexpr Gdiplus::ARGB kBoxColour = 0xFF000000;
}  // namespace

CZelEdit::CZelEdit() noexcept : font_(kDefaultFontHeight) {}

CZelEdit::~CZelEdit() {
    Detach();
}

void CZelEdit::OnAttached() noexcept {
    // The field's own caret and hit testing must use the font the text is painted with.
    SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
}

void CZelEdit::SetFontHeight(int pixels) noexcept {
    font_.SetHeight(pixels);
    if (Hwnd() != nullptr) {
        SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
    }
}

void CZelEdit::SetBackground(SkinImage image) noexcept {
    background_ = std::move(image);
    Redraw();
}

bool CZelEdit::OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) noexcept {
    switch (msg) {
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, textColour_);
            SetBkMode(dc, TRANSPARENT);
            SelectObject(dc, font_.Get());  // stays: the field draws its own text with it
            result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            return true;
        }
        case WM_COMMAND:
            if (HIWORD(wParam) != EN_CHANGE) {
                return false;
            }
            Redraw();
            NotifyParent(ControlId(), NOTIFY_EDIT_CHANGED);
            result = 0;
            return true;
        default:
            return false;
    }
}

void CZelEdit::OnPaint(BufferedPaint& paint) noexcept {
    const int width = paint.Width();
    const int height = paint.Height();
    Gdiplus::Graphics& graphics = paint.Graphics();
    if (background_) {
        DrawSkinImage(graphics, background_.Get(), 0, 0, width, height);
    } else {
        Gdiplus::SolidBrush box{Gdiplus::Color(kBoxColour)};
        graphics.FillRectangle(&box, 0, 0, width, height);
        Gdiplus::Pen frame{Gdiplus::Color(kFrameColour), 1.0f};
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeNone);
        graphics.DrawRectangle(&frame, 0, 0, width - 1, height - 1);
    }
    const std::wstring text = Text();
    HDC dc = paint.Dc();
    SetTextColor(dc, textColour_);
    SetBkMode(dc, TRANSPARENT);
    const ScopedSelect font(dc, font_.Get());
    RECT area{ScaledLength(1), 0, width, height};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_LEFT | DT_TOP | DT_NOPREFIX);
}

bool CZelEdit::DescribeSelf(AccessInfo& info) const noexcept {
    info.role = ROLE_SYSTEM_TEXT;
    info.name = AccessName();
    info.value = Text();
    if (Hwnd() != nullptr && (GetWindowLongW(Hwnd(), GWL_STYLE) & ES_READONLY) != 0) {
        info.state |= STATE_SYSTEM_READONLY;
    }
    return true;
}
