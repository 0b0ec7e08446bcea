#pragma once
// The pop-up's controls in each mode: the mode is the piece id of the skin family's whole
// background, and the buttons use the pieces that follow it. Read by the pop-up, its tests and
// the art generator.

#include <array>

#include "pages/logic/PopDlgIds.h"
#include "skin/logic/WindowLayout.h"

struct PopupLayout {
    int mode = 0;
    ControlPlace ok;
    ControlPlace cancel;  // piece -1: the mode has no Cancel button
    ControlPlace close;
    ControlPlace time;   // piece -1: the mode shows no text
    ControlPlace image;  // piece -1: the mode shows no picture
    // Skin states the family has sheets for: 3 (normal, over, down) or 4 (with disable).
    int states = 3;
    // The window's title: not drawn (the pop-up has no caption bar), but it names the pop-up to
    // accessibility tools and tests.
    const wchar_t* title = L"";

    constexpr bool HasCancel() const { return cancel.piece >= 0; }
    constexpr bool ShowsTime() const { return time.piece >= 0; }
    constexpr bool ShowsImage() const { return image.piece >= 0; }
};

namespace popup_layout_detail {
constexpr ControlPlace None(int id) {
    return ControlPlace{id, PixelRect{}, -1};
}
constexpr ControlPlace Close(int piece) {
    return Place(IDC_POPUP_CLOSE, 348, 0, 27, 23, piece);
}
}  // namespace popup_layout_detail

inline constexpr std::array<PopupLayout, 7> kPopupLayouts{{
    // The last "Left Click" cannot be reassigned.
    {122, Place(IDC_POPUP_OK, 317, 150, 56, 24, 123), popup_layout_detail::None(IDC_POPUP_CANCEL),
     popup_layout_detail::Close(124), popup_layout_detail::None(IDC_POPUP_TIME),
     popup_layout_detail::None(IDC_POPUP_IMAGE), 3, L"Left-click warning"},
    // Delete the selected macro?
    {125, Place(IDC_POPUP_OK, 257, 150, 55, 24, 126),
     Place(IDC_POPUP_CANCEL, 317, 150, 57, 24, 127), popup_layout_detail::Close(128),
     popup_layout_detail::None(IDC_POPUP_TIME), popup_layout_detail::None(IDC_POPUP_IMAGE), 3,
     L"Delete macro"},
    // Surface analysis: first screen.
    {129, Place(IDC_POPUP_OK, 190, 150, 122, 24, 130),
     Place(IDC_POPUP_CANCEL, 317, 150, 56, 24, 131), popup_layout_detail::Close(132),
     popup_layout_detail::None(IDC_POPUP_TIME), popup_layout_detail::None(IDC_POPUP_IMAGE), 3,
     L"Analysis start"},
    // Surface analysis: move the mouse during the countdown.
    {133, Place(IDC_POPUP_OK, 257, 150, 55, 24, 134),
     Place(IDC_POPUP_CANCEL, 317, 150, 56, 24, 135), popup_layout_detail::Close(136),
     Place(IDC_POPUP_TIME, 186, 139, 51, 13, 137), Place(IDC_POPUP_IMAGE, 2, 26, 174, 144, 138), 3,
     L"Analysis move"},
    // Surface analysis: last screen.
    {139, Place(IDC_POPUP_OK, 317, 150, 56, 24, 140), popup_layout_detail::None(IDC_POPUP_CANCEL),
     popup_layout_detail::Close(141), popup_layout_detail::None(IDC_POPUP_TIME),
     popup_layout_detail::None(IDC_POPUP_IMAGE), 3, L"Analysis finish"},
    // Reset all profiles?
    {142, Place(IDC_POPUP_OK, 257, 150, 55, 24, 143),
     Place(IDC_POPUP_CANCEL, 317, 150, 56, 24, 144), popup_layout_detail::Close(145),
     popup_layout_detail::None(IDC_POPUP_TIME), popup_layout_detail::None(IDC_POPUP_IMAGE), 3,
     L"Reset warning"},
    // Capture one key for a mouse button; the key's name is shown in "Time".
    {146, Place(IDC_POPUP_OK, 257, 150, 55, 24, 148),
     Place(IDC_POPUP_CANCEL, 317, 150, 56, 24, 149), popup_layout_detail::Close(147),
     Place(IDC_POPUP_TIME, 168, 107, 92, 23, 150), popup_layout_detail::None(IDC_POPUP_IMAGE), 4,
     L"Single key"},
}};

// The layout of a mode, or null for a number that is no mode.
constexpr const PopupLayout* FindPopupLayout(int mode) {
    for (const PopupLayout& layout : kPopupLayouts) {
        if (layout.mode == mode) {
            return &layout;
        }
    }
    return nullptr;
}

// Font height of the captured key's name.
inline constexpr int kPopupKeyFontHeight = 14;
