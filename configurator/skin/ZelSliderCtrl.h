#pragma once
// CZelSliderCtrl: a horizontal skinned slider on a static control. Its value snaps to the step;
// a value computed from the pointer that differs from the last one reported goes to the parent
// as ControlNotification (control id, value). The owner writes the range, step and flags in
// `model`, `showValue` and `valueColour`, and sets the disabled state (3) with SetDisabled.
// It answers TBM_GETPOS, TBM_GETRANGEMIN and TBM_GETRANGEMAX like a system slider.

#include <windows.h>

#include <cstdint>

#include "skin/SkinFont.h"
#include "skin/HoverCapture.h"
#include "skin/ScopedWin.h"
#include "skin/SkinImage.h"
#include "skin/ZelPaintedWnd.h"
#include "skin/logic/SliderMath.h"

struct SliderImages {
    SkinImage track;          // the background, scaled to the whole control
    SkinImage thumb;          // its size is the thumb's size
    SkinImage hotThumb;       // while hovered or dragged
    SkinImage disabledThumb;  // while disabled
};

class CZelSliderCtrl : public CZelPaintedWnd {
  public:
    enum SliderState : int { kNormal = 0, kOver = 1, kDragging = 2, kDisabled = 3 };

    CZelSliderCtrl() noexcept;
    ~CZelSliderCtrl() override;

    // Replaces the images held so far.
    void SetImages(SliderImages images) noexcept;
    void SetImages(SkinImage track, SkinImage thumb, SkinImage hotThumb,
                   SkinImage disabledThumb) noexcept;
    // Takes the value unless it equals the last report; then redraws and, with `notify`,
    // reports it. Neither clamps nor snaps.
    void SetValue(int32_t value, bool notify) noexcept;
    int32_t Value() const noexcept { return model.value; }
    void SetDisabled(bool disabled) noexcept;
    int State() const noexcept { return state_; }

    SliderModel model;
    bool showValue = false;
    uint32_t valueColour = 0xFFFFFFFF;  // ARGB

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
    bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam,
                            LRESULT& result) noexcept override;
    DWORD WantedStyle(DWORD style) const noexcept override;
    ControlKind AccessKind() const noexcept override { return ControlKind::Slider; }
    // A slider with its value; the arrows move it by a step, Home and End to its ends, and the
    // parent hears of each new value as it does while the pointer drags.
    bool DescribeSelf(AccessInfo& info) const noexcept override;
    bool OnKey(UINT key, bool alt, bool repeat) noexcept override;
    UINT WantedKeys(const MSG*) const noexcept override { return DLGC_WANTARROWS; }

  private:
    void OnPaint(BufferedPaint& paint) noexcept override;
    void OnLeftButtonDown(int x) noexcept;
    void OnLeftButtonUp(int x) noexcept;
    void OnMouseMove(int x, int y, WPARAM keys) noexcept;
    void TakeValueAtPointer(int x) noexcept;
    int ThumbWidth() const noexcept { return images_.thumb.Width(); }

    SliderImages images_;
    CSkinFont font_;
    HoverCapture hover_;
    bool pressed_ = false;
    int state_ = kNormal;
    int savedState_ = kNormal;
};
