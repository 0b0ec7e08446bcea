#pragma once
// CZelOwnerDrawnStatic: the base of the controls that draw themselves on a system static (the
// picture static, the list box, the scroll bar, the macro editor): the static becomes owner
// drawn and lets the mouse through to the control, and its parent hands the drawing back here.

#include "skin/ZelWnd.h"

class CZelOwnerDrawnStatic : public CZelWnd {
  protected:
    // The drawing covers the whole control, so its background is never erased first; presses
    // of the left button go to OnPress and OnRelease.
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
    // The left button pressed (a quick second press too) or released at a point of the client
    // area; false leaves the click to the static.
    virtual bool OnPress(int /*x*/, int /*y*/) noexcept { return false; }
    virtual bool OnRelease(int /*x*/, int /*y*/) noexcept { return false; }
    // Owner drawn in place of the static's own type (a number, not a set of bits), with
    // SS_NOTIFY, without which a static lets the mouse through and never sees a double click.
    DWORD WantedStyle(DWORD style) const noexcept override;
    bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept final;
    // Paints the whole control.
    virtual void OnDrawItem(const DRAWITEMSTRUCT& item) noexcept = 0;
};
