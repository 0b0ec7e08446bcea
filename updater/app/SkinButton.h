#pragma once
// A push button drawn from four bitmaps (normal, hover, pressed, disabled), placed by a layout
// string. It highlights while the pointer is over it. Every such button has control id 0, so
// its parent tells clicks apart by the button's window handle (lParam of WM_COMMAND).

#include <windows.h>

#include <string_view>

#include "app/ScopedWin.h"

enum class ButtonMode { kPush, kToggle };

struct ButtonImages {
    int normal = 0;
    int hover = 0;
    int pressed = 0;
    int disabled = 0;
};

class CSkinButton {
  public:
    CSkinButton() = default;
    ~CSkinButton();
    CSkinButton(const CSkinButton&) = delete;
    CSkinButton& operator=(const CSkinButton&) = delete;

    // Creates the button at the layout's position with the size of its normal image, both
    // scaled to the parent's DPI with the art drawn for it. False,
    // and no button, when the layout does not parse or the window cannot be made. Creating
    // it again replaces the earlier window and images.
    // `dpi` 0 takes the parent's DPI.
    bool Create(HWND parent, std::string_view layout, const ButtonImages& images,
                ButtonMode mode = ButtonMode::kPush, UINT dpi = 0);
    HWND Handle() const { return window_; }
    bool IsHovered() const { return hover_; }

    // The parent forwards WM_DRAWITEM of a button here.
    static bool DrawItem(const DRAWITEMSTRUCT& item);

  private:
    enum Image { kNormal, kHover, kPressed, kDisabled, kImageCount };

    static LRESULT CALLBACK ButtonProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnMouseMove(WPARAM keys);
    void OnCaptureChanged();
    void OnKillFocus();
    void OnLButtonDown();
    bool OnLButtonUp();
    void Draw(const DRAWITEMSTRUCT& item) const;
    void Redraw() const;
    void FreeImages();
    // Gives the window its own procedure back; it no longer reaches this object.
    void Detach();

    HWND window_ = nullptr;
    WNDPROC baseProc_ = nullptr;
    ScopedBitmap images_[kImageCount];
    bool hover_ = false;
    bool latched_ = false;
    ButtonMode mode_ = ButtonMode::kPush;
};
