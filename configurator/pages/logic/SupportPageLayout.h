#pragma once
// The support page's controls: id, rectangle in page pixels and skin piece. Read by the page,
// its tests and the art generator.

#include <array>

#include "pages/logic/SupportPageIds.h"
#include "skin/logic/WindowLayout.h"

inline constexpr int kSupportBackgroundPiece = 105;

inline constexpr std::array<ControlPlace, 5> kSupportPageLayout{{
    Place(IDC_SUPPORT_ONLINE, 135, 216, 115, 22, 106),
    Place(IDC_SUPPORT_CHECK_UPDATES, 507, 116, 118, 20, 107),
    Place(IDC_SUPPORT_CHECK_FIRMWARE, 507, 281, 118, 20, 108),
    // The two version labels draw their text on a single image.
    Place(IDC_SUPPORT_SOFT_VERSION, 621, 140, 36, 10, 109),
    Place(IDC_SUPPORT_FIRM_VERSION, 621, 303, 36, 10, 110),
}};

// Height of the version labels' font in pixels.
inline constexpr int kSupportVersionFontHeight = 13;
