#pragma once
// The main window's layout: every control's id, rectangle and skin piece on the 800 x 600
// sheet, and where the pages go. Read by the window, the art generator and the tests.

#include <array>

#include "app/logic/MainDlgIds.h"
#include "skin/logic/WindowLayout.h"

inline constexpr int kMainBackgroundPiece = 0;
inline constexpr int kPageCount = 5;
inline constexpr int kProfileCount = 5;

inline constexpr std::array<ControlPlace, 5> kPageButtonPlaces = {
    Place(IDC_PAGE_MOUSE, 6, 151, 181, 34, 1),     Place(IDC_PAGE_SENSOR, 187, 151, 182, 34, 2),
    Place(IDC_PAGE_COLOUR, 369, 151, 141, 34, 3),  Place(IDC_PAGE_MACRO, 519, 151, 136, 34, 4),
    Place(IDC_PAGE_SUPPORT, 655, 151, 136, 34, 5),
};

// Profiles 1 .. 5 in order.
inline constexpr std::array<ControlPlace, 5> kProfileButtonPlaces = {
    Place(IDC_PROFILE1, 31, 190, 135, 22, 6),   Place(IDC_PROFILE2, 186, 190, 133, 22, 7),
    Place(IDC_PROFILE3, 340, 190, 134, 22, 8),  Place(IDC_PROFILE4, 495, 190, 134, 22, 9),
    Place(IDC_PROFILE5, 651, 190, 140, 22, 10),
};

// The menu buttons of profiles 1 .. 5 in order.
inline constexpr std::array<ControlPlace, 5> kProfileMenuPlaces = {
    Place(IDC_PROFILE_MENU1, 10, 190, 21, 22, 11),  Place(IDC_PROFILE_MENU2, 166, 190, 20, 22, 12),
    Place(IDC_PROFILE_MENU3, 319, 190, 21, 22, 13), Place(IDC_PROFILE_MENU4, 474, 190, 21, 22, 14),
    Place(IDC_PROFILE_MENU5, 629, 190, 22, 22, 15),
};

inline constexpr ControlPlace kResetPlace = Place(IDC_RESET, 9, 563, 115, 24, 16);
inline constexpr ControlPlace kOkPlace = Place(IDC_OK_BUTTON, 616, 566, 55, 24, 17);
inline constexpr ControlPlace kApplyPlace = Place(IDC_APPLY, 676, 566, 55, 24, 18);
inline constexpr ControlPlace kCancelPlace = Place(IDC_CANCEL_BUTTON, 735, 566, 56, 24, 19);
inline constexpr ControlPlace kMinimisePlace = Place(IDC_MINIMISE, 746, 1, 26, 23, 20);
inline constexpr ControlPlace kClosePlace = Place(IDC_CLOSE, 772, 1, 26, 23, 21);
inline constexpr ControlPlace kVersionPlace = Place(IDC_VERSION, 280, 6, 40, 15, 22);
inline constexpr int kVersionFontHeight = 14;

// Pages 1 .. 4 share one rectangle; the support page is a little larger.
inline constexpr PixelRect kPageRect{9, 215, 9 + 777, 215 + 337};
inline constexpr PixelRect kSupportPageRect{9, 215, 9 + 779, 215 + 338};

// The slot (0 .. 4) of a profile menu button's id, or -1.
constexpr int ProfileSlotOfMenuId(int id) {
    for (int slot = 0; slot < kProfileCount; ++slot) {
        if (kProfileMenuPlaces[slot].id == id) {
            return slot;
        }
    }
    return -1;
}
