#pragma once
// CZelButtonBase: what the three skinned buttons share: an owner-drawn push button with skin
// images for its states and the hover/press state machine that drives them.

#include <array>
#include <string>

#include "SkinImage.h"
#include "SkinPieces.h"
#include "ZelWnd.h"

class CZelButtonBase : public CZelWnd {
  public:
    CZelButtonBase() = default;

    // Replaces the images held so far (freeing them); absent images are skipped when drawing.
    void SetImages(SkinImage normal, SkinImage over, SkinImage down,
                   SkinImage disable = SkinImage()) noexcept;

    SkinState State() const noexcept { return state_; }
    bool IsPressed() const noexcept { return pressed_; }
    bool IsTracking() const noexcept { return tracking_; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
    void OnAttached() noexcept override;
    bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam,
                            LRESULT& result) noexcept override;

    // The pointer has started hovering over the control.
    virtual void OnHoverStarted() noexcept {}
    // After the common handling of a press and of a release.
    virtual void OnPressed() noexcept {}
    // `wasPressed`: the press started on this control and the pointer never left it.
    virtual void OnReleased(bool wasPressed) noexcept;
    // Whether the down image stands for this control's state (latched or checked).
    virtual bool ShowsDown() const noexcept { return false; }
    // Draws the caption, if the control has one, after the image.
    virtual void DrawCaption(HDC, const RECT&) noexcept {}

    // Draws one line of caption text, vertically centred, `indent` pixels in from the left.
    static void DrawCaptionText(HDC dc, const RECT& client, const std::wstring& text, HFONT font,
                                uint32_t argb, int indent) noexcept;

    // The image for the current state by the drawing rules, or null.
    Gdiplus::Bitmap* ChooseImage() const noexcept;

  private:
    void OnMouseMove(WPARAM keys, LPARAM point) noexcept;
    void OnButtonDown() noexcept;
    void OnButtonUp() noexcept;
    void DrawItem(const DRAWITEMSTRUCT& item) noexcept;

    std::array<SkinImage, 4> images_;  // indexed by SkinState
    bool pressed_ = false;
    bool tracking_ = false;
    SkinState state_ = kSkinNormal;
};
