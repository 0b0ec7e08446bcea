#pragma once
// What screen readers call the main window's controls: the labels its skin draws, by control
// id. The profile buttons keep their captions (the profiles' names) and are one choice of five.

#include "app/logic/MainDlgIds.h"
#include "skin/logic/AccessLabel.h"

inline constexpr AccessLabel kMainWindowLabels[] = {
    {IDC_PAGE_MOUSE, L"Buttons", AccessHint::kTab},
    {IDC_PAGE_SENSOR, L"Performance", AccessHint::kTab},
    {IDC_PAGE_COLOUR, L"Lighting", AccessHint::kTab},
    {IDC_PAGE_MACRO, L"Macros", AccessHint::kTab},
    {IDC_PAGE_SUPPORT, L"Support", AccessHint::kTab},
    {IDC_PROFILE1, L"", AccessHint::kRadio},
    {IDC_PROFILE2, L"", AccessHint::kRadio},
    {IDC_PROFILE3, L"", AccessHint::kRadio},
    {IDC_PROFILE4, L"", AccessHint::kRadio},
    {IDC_PROFILE5, L"", AccessHint::kRadio},
    {IDC_PROFILE_MENU1, L"Profile 1 menu"},
    {IDC_PROFILE_MENU2, L"Profile 2 menu"},
    {IDC_PROFILE_MENU3, L"Profile 3 menu"},
    {IDC_PROFILE_MENU4, L"Profile 4 menu"},
    {IDC_PROFILE_MENU5, L"Profile 5 menu"},
    {IDC_RESET, L"Reset to default"},
    {IDC_OK_BUTTON, L"OK"},
    {IDC_APPLY, L"Apply"},
    {IDC_CANCEL_BUTTON, L"Cancel"},
    {IDC_MINIMISE, L"Minimise"},
    {IDC_CLOSE, L"Close"},
    {IDC_VERSION, L"Version"},
};
