#pragma once
// CZelOwnerDrawnStatic: the base of the controls that draw themselves on a system static (the
// picture static, the list box, the scroll bar, the macro editor): the static becomes owner
// drawn and lets the mouse through to the control, and its parent hands the drawing back here.

#include "skin/ZelWnd.h"

class CZelOwnerDrawnStatic : public CZelWnd {
  protected:
    // Owner drawn in place of the static's own type (a number, not a set of bits), with
    // SS_NOTIFY, without which a static lets the mouse through and never sees a double click;
    // `extraStyle` adds bits of the control's own.
    void MakeOwnerDrawn(DWORD extraStyle = 0) noexcept;
    void OnAttached() noexcept override { MakeOwnerDrawn(); }
    bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept final;
    // Paints the whole control.
    virtual void OnDrawItem(const DRAWITEMSTRUCT& item) noexcept = 0;
};
