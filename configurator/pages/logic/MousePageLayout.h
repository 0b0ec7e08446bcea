#pragma once
// Where the mouse page places its controls and which skin pieces they are cut from, in the order
// the page creates them. Read by the page, its tests and the art generator.

#include <array>

#include "pages/logic/MousePageIds.h"
#include "skin/logic/WindowLayout.h"

constexpr int kMousePageBackgroundPiece = 23;
// Every slider thumb of the page.
constexpr int kMousePageThumbPiece = 111;
constexpr int kMousePageDisabledThumbPiece = 112;

constexpr std::array<int, 7> kMousePageSlotIds = {IDC_FUNCTION1, IDC_FUNCTION2, IDC_FUNCTION3,
                                                  IDC_FUNCTION4, IDC_FUNCTION5, IDC_FUNCTION6,
                                                  IDC_FUNCTION7};
constexpr std::array<int, 7> kMousePageMarkerIds = {IDC_BN1, IDC_BN2, IDC_BN3, IDC_BN4,
                                                    IDC_BN5, IDC_BN6, IDC_BN7};
// "125", "250", "500", "1000", the order of the rate codes.
constexpr std::array<int, 4> kMousePageRateIds = {IDC_RATE_125, IDC_RATE_250, IDC_RATE_500,
                                                  IDC_RATE_1000};

constexpr ControlPlace kMousePageLayout[] = {
    Place(IDC_FUNCTION1, 52, 39, 182, 21, 24),
    Place(IDC_FUNCTION2, 52, 72, 182, 21, 25),
    Place(IDC_FUNCTION3, 52, 104, 182, 21, 26),
    Place(IDC_FUNCTION4, 52, 136, 182, 21, 27),
    Place(IDC_FUNCTION5, 52, 168, 182, 21, 28),
    Place(IDC_FUNCTION6, 52, 200, 182, 21, 29),
    Place(IDC_FUNCTION7, 52, 232, 182, 21, 30),
    Place(IDC_BN1, 332, 58, 20, 20, 31),
    Place(IDC_BN2, 391, 56, 20, 30, 32),
    Place(IDC_BN3, 361, 83, 20, 20, 33),
    Place(IDC_BN4, 299, 109, 20, 20, 34),
    Place(IDC_BN5, 300, 159, 20, 20, 35),
    Place(IDC_BN6, 369, 113, 20, 20, 36),
    Place(IDC_BN7, 354, 147, 20, 20, 37),
    Place(IDC_RATE_125, 40, 300, 65, 25, 38),
    Place(IDC_RATE_250, 120, 300, 65, 25, 39),
    Place(IDC_RATE_500, 200, 300, 65, 25, 40),
    Place(IDC_RATE_1000, 270, 300, 75, 25, 41),
    Place(IDC_DOUBLE_CLICK, 553, 62, 181, 25, 42),
    Place(IDC_WHEEL_LINES, 525, 148, 30, 30, 43),
    Place(IDC_WHEEL_PAGE, 525, 185, 30, 30, 44),
    Place(IDC_SCROLL_SPEED, 563, 152, 180, 25, 45),
    Place(IDC_ACCELERATION, 590, 264, 130, 25, 46),
    Place(IDC_ACCELERATION_ON, 525, 300, 30, 30, 47),
};
