#pragma once
// The sensor page's controls: id, rectangle in page pixels and skin piece. Read by the page,
// its tests and the art generator.

#include <array>

#include "pages/logic/SensorPageIds.h"
#include "skin/logic/WindowLayout.h"

inline constexpr int kSensorBackgroundPiece = 48;
// The sliders' thumbs: the whole slider sheets, normal (also hot) and disabled.
inline constexpr int kSliderThumbPiece = 111;
inline constexpr int kSliderDisabledThumbPiece = 112;

inline constexpr std::array<ControlPlace, 10> kSensorPageLayout{{
    Place(IDC_SENSOR_DPI_STEP, 175, 68, 60, 21, 49),
    Place(IDC_SENSOR_SEPARATE, 40, 130, 205, 18, 50),
    Place(IDC_SENSOR_X_AXIS, 335, 58, 410, 30, 51),
    Place(IDC_SENSOR_Y_AXIS, 335, 104, 410, 30, 52),
    Place(IDC_SENSOR_POINTER_SPEED, 429, 198, 290, 20, 53),
    Place(IDC_SENSOR_LIFT_DISTANCE, 409, 268, 333, 20, 54),
    // Two images: the empty gauge (normal sheet) and the lit one (down sheet).
    Place(IDC_SENSOR_QUALITY, 62, 198, 107, 103, 55),
    Place(IDC_SENSOR_ANALYZE, 232, 308, 115, 17, 56),
    Place(IDC_SENSOR_TEST, 608, 308, 60, 18, 57),
    Place(IDC_SENSOR_SAVE, 680, 308, 60, 18, 58),
}};
