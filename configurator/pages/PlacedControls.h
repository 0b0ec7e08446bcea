#pragma once
// Creating a page's skinned controls from the rows of its layout table.

#include "skin/SkinImages.h"
#include "skin/ZelButtonBase.h"
#include "skin/ZelWnd.h"
#include "skin/logic/WindowLayout.h"

// The control's rectangle at the skin scale.
inline RECT RectOf(const ControlPlace& place) noexcept {
    return ScaledRect(place.rect);
}

// The control's image for a state, cut from its page's sheets at the control's rectangle.
inline SkinImage CutPiece(const ControlPlace& place, int state) noexcept {
    return GetSkinPiece(place.piece, state, place.rect.left, place.rect.top, place.rect.right,
                        place.rect.bottom);
}

// Creates the control as a visible child at its place. `text` is the window text the control
// carries for tools that read windows; skinned buttons do not draw it.
inline bool CreatePlaced(CZelWnd& control, HWND parent, const ControlPlace& place,
                         const wchar_t* systemClass, const wchar_t* text,
                         DWORD style = 0) noexcept {
    return control.CreateChild({.parent = parent,
                                .systemClass = systemClass,
                                .text = text,
                                .style = WS_CHILD | WS_VISIBLE | style,
                                .rect = RectOf(place),
                                .id = place.id});
}

// A push button or check box with its four state images.
inline bool CreatePlacedButton(CZelButtonBase& button, HWND parent, const ControlPlace& place,
                               const wchar_t* text) noexcept {
    if (!CreatePlaced(button, parent, place, L"BUTTON", text)) {
        return false;
    }
    button.SetImages(CutPiece(place, kSkinNormal), CutPiece(place, kSkinOver),
                     CutPiece(place, kSkinDown), CutPiece(place, kSkinDisable));
    return true;
}
