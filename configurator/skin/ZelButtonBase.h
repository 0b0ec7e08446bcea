#pragma once
// CZelButtonBase: what the three skinned buttons share: an owner-drawn push button with skin
// images for its states and the hover/press state machine that drives them.

#include <array>
#include <string>

#include "skin/HoverCapture.h"
#include "skin/SkinImage.h"
#include "skin/ZelWnd.h"
#include "skin/logic/SkinPieces.h"

// The images of a skinned button, one per SkinState; absent ones are skipped when drawing.
struct ButtonImages {
    SkinImage normal;
    SkinImage over;
    SkinImage down;
    SkinImage disable;
};

class CZelButtonBase : public CZelWnd {
  public:
    CZelButtonBase() = default;

    // Replaces the images held so far (freeing them).
    void SetImages(ButtonImages images) noexcept;
    void SetImages(SkinImage normal, SkinImage over, SkinImage down,
                   SkinImage disable = SkinImage()) noexcept;

    SkinState State() const noexcept { return state_; }
    bool IsPressed() const noexcept { return pressed_; }
    bool IsTracking() const noexcept { return hover_.IsTracking(); }
    // A click the way the mouse makes one (pressed, the click command to the parent, released),
    // for Space and Enter and for a screen reader's default action.
    void Click() noexcept;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
    DWORD WantedStyle(DWORD style) const noexcept override;
    bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam,
                            LRESULT& result) noexcept override;

    // The pointer has started hovering over the control.
    virtual void OnHoverStarted() noexcept {}
    // After the common handling of a press and of a release.
    virtual void OnPressed() noexcept {}
    // `wasPressed`: the press started on this control and the pointer never left it.
    virtual void OnReleased(bool wasPressed) noexcept;
    // Whether the down image stands for this control's state (latched or checked); it is also
    // what BM_GETCHECK answers.
    virtual bool ShowsDown() const noexcept { return false; }
    // The text the control shows, when it is not the window text: answered to WM_GETTEXT.
    virtual bool ShownText(std::wstring&) const noexcept { return false; }
    // Draws the caption, if the control has one, after the image.
    virtual void DrawCaption(HDC, const RECT&) noexcept {}

    // Draws one line of caption text, vertically centred, `indent` 96-DPI pixels in from the left.
    static void DrawCaptionText(HDC dc, const RECT& client, const std::wstring& text, HFONT font,
                                uint32_t argb, int indent) noexcept;

    // The image for the current state by the drawing rules, or null.
    Gdiplus::Bitmap* ChooseImage() const noexcept;
    ControlKind AccessKind() const noexcept override { return ControlKind::Button; }
    // Screen readers and the keyboard: a push button (a radio button or page tab by its label's
    // hint) pressed by Space and Enter.
    bool DescribeSelf(AccessInfo& info) const noexcept override;
    bool DoAccessAction(int index) noexcept override;
    bool OnKey(UINT key, bool alt, bool repeat) noexcept override;
    UINT WantedKeys(const MSG* message) const noexcept override;

  private:
    void OnMouseMove(WPARAM keys, LPARAM point) noexcept;
    void OnButtonDown() noexcept;
    void OnButtonUp() noexcept;
    void OnDrawItem(const DRAWITEMSTRUCT& item) noexcept;
    LRESULT OnGetState() const noexcept;

    std::array<SkinImage, 4> images_;  // indexed by SkinState
    HoverCapture hover_;
    bool pressed_ = false;
    SkinState state_ = kSkinNormal;
};
