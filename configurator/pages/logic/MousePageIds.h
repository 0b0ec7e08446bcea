#pragma once
// Control ids of the mouse page (template IDD_MOUSE_PAGE).

// The seven button slots, first to seventh.
#define IDC_FUNCTION1 1012
#define IDC_FUNCTION2 1021
#define IDC_FUNCTION3 1022
#define IDC_FUNCTION4 1023
#define IDC_FUNCTION5 1024
#define IDC_FUNCTION6 1025
#define IDC_FUNCTION7 1026
// Number markers on the mouse picture.
#define IDC_BN1 1032
#define IDC_BN2 1033
#define IDC_BN3 1013
#define IDC_BN4 1034
#define IDC_BN5 1037
#define IDC_BN6 1035
#define IDC_BN7 1036
// Report rate boxes.
#define IDC_RATE_125 1028
#define IDC_RATE_250 1027
#define IDC_RATE_500 1029
#define IDC_RATE_1000 1030
#define IDC_DOUBLE_CLICK 1014
#define IDC_WHEEL_LINES 1039
#define IDC_WHEEL_PAGE 1038
#define IDC_SCROLL_SPEED 1015
#define IDC_ACCELERATION 1016
#define IDC_ACCELERATION_ON 1040
