#pragma once
// Resource and control ids of the main window (shared by ORVA7100.rc, the window, its layout
// table and the art generator).

#define IDI_PROGRAM 138
#define IDI_TRAY 139

#define IDC_PAGE_MOUSE 1000
#define IDC_PAGE_SENSOR 1001
#define IDC_PAGE_COLOUR 1002
#define IDC_PAGE_MACRO 1003
#define IDC_PAGE_SUPPORT 1004
#define IDC_MINIMISE 1005
#define IDC_CLOSE 1006
#define IDC_PROFILE1 1007
#define IDC_PROFILE2 1008
#define IDC_PROFILE3 1009
#define IDC_PROFILE4 1010
#define IDC_PROFILE5 1011
// The menu buttons run backwards: profile 5's is 1016, profile 1's is 1020.
#define IDC_PROFILE_MENU5 1016
#define IDC_PROFILE_MENU4 1017
#define IDC_PROFILE_MENU3 1018
#define IDC_PROFILE_MENU2 1019
#define IDC_PROFILE_MENU1 1020
#define IDC_RESET 1031
#define IDC_OK_BUTTON 1041
#define IDC_APPLY 1042
#define IDC_CANCEL_BUTTON 1044
#define IDC_VERSION 1080
