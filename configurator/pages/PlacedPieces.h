#pragma once
// Turning a row of a layout table into what a window needs: the child rectangle and the
// control's images cut from its piece.

#include <windows.h>

#include "skin/SkinImages.h"
#include "skin/ZelButtonBase.h"
#include "skin/logic/WindowLayout.h"

// The control's rectangle at the skin scale.
inline RECT RectOfPlace(const ControlPlace& place) {
    return ScaledRect(place.rect);
}

// The control's image for a state, cut from its piece at its own rectangle.
inline SkinImage PieceOfPlace(const ControlPlace& place, int state) {
    return GetSkinPiece(place.piece, state, place.rect.left, place.rect.top, place.rect.right,
                        place.rect.bottom);
}

// A skinned button at its place on the page, with the images of its piece: normal, hover,
// pressed and, where the piece has one, disabled.
inline bool CreatePlacedButton(CZelButtonBase& button, HWND page, const ControlPlace& place,
                               bool hasDisabled) {
    if (!button.CreateChild({.parent = page,
                             .systemClass = L"BUTTON",
                             .style = WS_VISIBLE,
                             .rect = RectOfPlace(place),
                             .id = place.id})) {
        return false;
    }
    button.SetImages(PieceOfPlace(place, kSkinNormal), PieceOfPlace(place, kSkinOver),
                     PieceOfPlace(place, kSkinDown),
                     hasDisabled ? PieceOfPlace(place, kSkinDisable) : SkinImage());
    return true;
}
