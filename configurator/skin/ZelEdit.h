#pragma once
// CZelEdit: a single text field painted on a skin image, or as a black box with a grey frame.
// Tells its parent of every change with (control id, 102).

#include "skin/SkinFont.h"
#include "skin/ScopedWin.h"
#include "skin/SkinImage.h"
#include "skin/ZelPaintedWnd.h"

constexpr LPARAM NOTIFY_EDIT_CHANGED = 102;

class CZelEdit : public CZelPaintedWnd {
  public:
    CZelEdit() noexcept;
    ~CZelEdit() override;

    void SetFontHeight(int pixels) noexcept;
    void SetBackground(SkinImage image) noexcept;
    // Windows colour value of the text.
    void SetTextColour(COLORREF colour) noexcept { textColour_ = colour; }

  protected:
    void OnAttached() noexcept override;
    bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam,
                            LRESULT& result) noexcept override;
    // Editable text named by its label, its value what it holds.
    bool DescribeSelf(AccessInfo& info) const noexcept override;

  private:
    void OnPaint(BufferedPaint& paint) noexcept override;

    CSkinFont font_;
    COLORREF textColour_ = RGB(255, 255, 255);
    SkinImage background_;
};
