#pragma once
// CZelScrollCtrl: a skinned scroll bar on an owner-drawn static control, horizontal or vertical
// by its shape. Position changes go to the parent as ControlNotification (control id, position):
// every SetPos, and each change while the pointer drags along the track.

#include <windows.h>

#include <array>
#include <cstdint>

#include "ScrollMath.h"
#include "SkinImage.h"
#include "ZelWnd.h"

class CZelScrollCtrl : public CZelWnd {
  public:
    // The seven images, in the order SetImages takes them.
    enum Image : int {
        kBackground,
        kThumb,
        kPressedThumb,
        kFirstArrow,
        kPressedFirstArrow,
        kSecondArrow,
        kPressedSecondArrow,
        kImageCount
    };

    // Replaces the images and lays the parts out for the current client size.
    void SetImages(SkinImage background, SkinImage thumb, SkinImage pressedThumb,
                   SkinImage firstArrow, SkinImage pressedFirstArrow, SkinImage secondArrow,
                   SkinImage pressedSecondArrow) noexcept;
    // Clamps to the range, moves the thumb and reports the position.
    void SetPos(int32_t position) noexcept;
    int32_t Pos() const noexcept { return model.position; }
    // The owner writes the range here (then SetPos); the rectangles come from SetImages.
    ScrollModel model;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
    bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam,
                            LRESULT& result) noexcept override;
    void OnAttached() noexcept override;

  private:
    void OnDrawItem(const DRAWITEMSTRUCT& item) noexcept;
    void OnLeftButtonDown(int x, int y) noexcept;
    void OnLeftButtonUp(int x, int y) noexcept;
    void OnMouseMove(int x, int y, WPARAM keys) noexcept;
    void TakePositionAtPointer(int x, int y) noexcept;
    int Coordinate(int x, int y) const noexcept;

    std::array<SkinImage, kImageCount> images;
    bool pressed = false;
    bool tracking = false;
    int state = 0;
    ScrollPart pressedPart = ScrollPart::kNone;
};
