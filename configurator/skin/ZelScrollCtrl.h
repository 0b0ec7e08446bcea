#pragma once
// CZelScrollCtrl: a skinned scroll bar on an owner-drawn static control, horizontal or vertical
// by its shape. Position changes go to the parent as ControlNotification (control id, position):
// every SetPos, and each change while the pointer drags along the track. It answers SBM_GETPOS
// and SBM_GETRANGE like a system scroll bar.

#include <windows.h>

#include <array>
#include <cstdint>

#include "skin/HoverCapture.h"
#include "skin/SkinImage.h"
#include "skin/ZelOwnerDrawnStatic.h"
#include "skin/logic/ScrollMath.h"

// The seven images of a scroll bar, each scaled to its part.
struct ScrollImages {
    SkinImage background;
    SkinImage thumb;
    SkinImage pressedThumb;
    SkinImage firstArrow;
    SkinImage pressedFirstArrow;
    SkinImage secondArrow;
    SkinImage pressedSecondArrow;
};

class CZelScrollCtrl : public CZelOwnerDrawnStatic {
  public:
    // Replaces the images and lays the parts out for the current client size.
    void SetImages(ScrollImages images) noexcept;
    // The same with the images in the order of ScrollImages.
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
    ControlKind AccessKind() const noexcept override { return ControlKind::ScrollBar; }
    // A scroll bar with its position.
    bool DescribeSelf(AccessInfo& info) const noexcept override;

  private:
    void OnDrawItem(const DRAWITEMSTRUCT& item) noexcept override;
    void OnLeftButtonDown(int x, int y) noexcept;
    void OnLeftButtonUp(int x, int y) noexcept;
    void OnMouseMove(int x, int y, WPARAM keys) noexcept;
    LRESULT OnGetRange(int* minimum, int* maximum) const noexcept;
    void TakePositionAtPointer(int x, int y) noexcept;
    int Coordinate(int x, int y) const noexcept;

    ScrollImages images_;
    HoverCapture hover_;
    bool pressed_ = false;
    int state_ = 0;
    ScrollPart pressedPart_ = ScrollPart::kNone;
};
