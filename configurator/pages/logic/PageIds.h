#pragma once
// Dialog template ids of the configurator's windows (shared by the resource script and the
// code). Each window's control ids live in a header of its own beside its class.

#define IDD_MAIN 102
#define IDD_MOUSE_PAGE 129
#define IDD_SENSOR_PAGE 130
#define IDD_COLOUR_PAGE 131
#define IDD_MACRO_PAGE 132
#define IDD_SUPPORT_PAGE 133
#define IDD_RENAME 134
#define IDD_POPUP 135
