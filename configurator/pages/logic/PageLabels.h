#pragma once
// What screen readers call the controls of the pages and dialogs: the labels the skins draw
// beside them (or on them), by control id, and how each is presented. The pages pass their table
// to CZelWnd::LabelControls once their controls exist. Read by the pages and the tests.

#include <array>
#include <span>

#include "pages/logic/ColourPageIds.h"
#include "pages/logic/MousePageIds.h"
#include "pages/logic/PopDlgIds.h"
#include "pages/logic/RenameDlgIds.h"
#include "pages/logic/SensorPageIds.h"
#include "pages/logic/SupportPageIds.h"
#include "skin/logic/AccessLabel.h"

// The pages themselves, named as their tabs.
inline constexpr wchar_t kMousePageName[] = L"Buttons";
inline constexpr wchar_t kSensorPageName[] = L"Performance";
inline constexpr wchar_t kColourPageName[] = L"Lighting";
inline constexpr wchar_t kSupportPageName[] = L"Support";

inline constexpr AccessLabel kMousePageLabels[] = {
    {IDC_FUNCTION1, L"Button 1"},
    {IDC_FUNCTION2, L"Button 2"},
    {IDC_FUNCTION3, L"Button 3"},
    {IDC_FUNCTION4, L"Button 4"},
    {IDC_FUNCTION5, L"Button 5"},
    {IDC_FUNCTION6, L"Button 6"},
    {IDC_FUNCTION7, L"Button 7"},
    // The numbers on the mouse picture.
    {IDC_BN1, L"1", AccessHint::kDecoration},
    {IDC_BN2, L"2", AccessHint::kDecoration},
    {IDC_BN3, L"3", AccessHint::kDecoration},
    {IDC_BN4, L"4", AccessHint::kDecoration},
    {IDC_BN5, L"5", AccessHint::kDecoration},
    {IDC_BN6, L"6", AccessHint::kDecoration},
    {IDC_BN7, L"7", AccessHint::kDecoration},
    // Exactly one rate is on after every click.
    {IDC_RATE_125, L"125 Hz", AccessHint::kRadio},
    {IDC_RATE_250, L"250 Hz", AccessHint::kRadio},
    {IDC_RATE_500, L"500 Hz", AccessHint::kRadio},
    {IDC_RATE_1000, L"1000 Hz", AccessHint::kRadio},
    {IDC_DOUBLE_CLICK, L"Double-click speed"},
    // The wheel scrolls by lines or by pages, one or the other.
    {IDC_WHEEL_LINES, L"Scroll by lines", AccessHint::kRadio},
    {IDC_SCROLL_SPEED, L"Lines per notch"},
    {IDC_WHEEL_PAGE, L"One page per notch", AccessHint::kRadio},
    {IDC_ACCELERATION, L"Pointer acceleration level"},
    {IDC_ACCELERATION_ON, L"Enable pointer acceleration"},
};

inline constexpr AccessLabel kSensorPageLabels[] = {
    {IDC_SENSOR_DPI_STEP, L"DPI step"},
    {IDC_SENSOR_SEPARATE, L"Set X and Y separately"},
    {IDC_SENSOR_X_AXIS, L"X axis"},
    {IDC_SENSOR_Y_AXIS, L"Y axis"},
    {IDC_SENSOR_POINTER_SPEED, L"Pointer speed"},
    {IDC_SENSOR_LIFT_DISTANCE, L"Lift distance"},
    {IDC_SENSOR_QUALITY, L"Surface quality"},
    {IDC_SENSOR_ANALYZE, L"Analyze surface"},
    // Beside the lift distance.
    {IDC_SENSOR_TEST, L"Test lift distance"},
    {IDC_SENSOR_SAVE, L"Save lift distance"},
};

// The palette buttons are named by their colour, which the page knows.
inline constexpr AccessLabel kColourPageLabels[] = {
    {IDC_LED_ON, L"All lights on", AccessHint::kRadio},
    {IDC_LED_OFF, L"All lights off", AccessHint::kRadio},
    {IDC_LED_SELECT, L"Zones", AccessHint::kRadio},
    {IDC_ZONE_WHEEL, L"Scroll wheel"},
    {IDC_ZONE_DPI_INDICATOR, L"DPI indicator"},
    {IDC_ZONE_DPI_BUTTONS, L"DPI buttons"},
    {IDC_ZONE_LOGO, L"Logo"},
    {IDC_SWATCH, L"Chosen colour"},
    {IDC_COLOUR_TIP, L"Red.Green.Blue"},
    // The numbers beside the mouse picture.
    {IDC_MARKER1, L"1", AccessHint::kDecoration},
    {IDC_MARKER2, L"2", AccessHint::kDecoration},
    {IDC_MARKER3, L"3", AccessHint::kDecoration},
    {IDC_MARKER4, L"4", AccessHint::kDecoration},
};
inline constexpr wchar_t kPaletteNamePrefix[] = L"Colour ";

inline constexpr AccessLabel kSupportPageLabels[] = {
    {IDC_SUPPORT_ONLINE, L"Online support"},
    {IDC_SUPPORT_CHECK_UPDATES, L"Check updates"},
    {IDC_SUPPORT_CHECK_FIRMWARE, L"Check firmware"},
    {IDC_SUPPORT_SOFT_VERSION, L"Installed version"},
    {IDC_SUPPORT_FIRM_VERSION, L"Mouse firmware"},
};

inline constexpr AccessLabel kRenameLabels[] = {
    {IDC_RENAME_NAME, L"Name"},
    {IDC_RENAME_OK, L"OK"},
    {IDC_RENAME_CANCEL, L"Cancel"},
    {IDC_RENAME_CLOSE, L"Close"},
};

// The pop-up's buttons say what they do in each mode (the mode is its background piece).
struct PopupLabels {
    int mode;
    std::array<AccessLabel, 4> labels;
};
inline constexpr std::array<PopupLabels, 7> kPopupLabels{{
    {122, {{{IDC_POPUP_OK, L"OK"}, {IDC_POPUP_CLOSE, L"Close"}}}},
    {125,
     {{{IDC_POPUP_OK, L"Delete"}, {IDC_POPUP_CANCEL, L"Cancel"}, {IDC_POPUP_CLOSE, L"Close"}}}},
    {129, {{{IDC_POPUP_OK, L"Start"}, {IDC_POPUP_CANCEL, L"Cancel"}, {IDC_POPUP_CLOSE, L"Close"}}}},
    {133,
     {{{IDC_POPUP_OK, L"Next"},
       {IDC_POPUP_CANCEL, L"Cancel"},
       {IDC_POPUP_CLOSE, L"Close"},
       {IDC_POPUP_TIME, L"Seconds left"}}}},
    {139, {{{IDC_POPUP_OK, L"OK"}, {IDC_POPUP_CLOSE, L"Close"}}}},
    {142, {{{IDC_POPUP_OK, L"Reset"}, {IDC_POPUP_CANCEL, L"Cancel"}, {IDC_POPUP_CLOSE, L"Close"}}}},
    {146,
     {{{IDC_POPUP_OK, L"OK"},
       {IDC_POPUP_CANCEL, L"Cancel"},
       {IDC_POPUP_CLOSE, L"Close"},
       {IDC_POPUP_TIME, L"Your key"}}}},
}};

// The labels of a pop-up mode; none for a number that is no mode. Unused places have id 0.
constexpr std::span<const AccessLabel> PopupAccessLabels(int mode) {
    for (const PopupLabels& entry : kPopupLabels) {
        if (entry.mode == mode) {
            return entry.labels;
        }
    }
    return {};
}
