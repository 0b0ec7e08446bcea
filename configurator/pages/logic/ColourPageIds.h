#pragma once
// Control ids of the colour page (template IDD_COLOUR_PAGE).

#define IDC_LED_ON 1027
#define IDC_LED_OFF 1028
#define IDC_LED_SELECT 1029
#define IDC_ZONE_WHEEL 1030
#define IDC_ZONE_DPI_INDICATOR 1031
#define IDC_ZONE_DPI_BUTTONS 1032
#define IDC_ZONE_LOGO 1033
#define IDC_MARKER1 1034
#define IDC_MARKER2 1035
#define IDC_MARKER3 1036
#define IDC_MARKER4 1037
// Palette buttons "11" .. "46": IDC_PALETTE_FIRST + 6 (row - 1) + (column - 1).
#define IDC_PALETTE_FIRST 1038
#define IDC_PALETTE_LAST 1061
#define IDC_SWATCH 1062
#define IDC_COLOUR_TIP 1063
