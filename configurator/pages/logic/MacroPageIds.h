#pragma once
// Control ids of the macro page (shared by MacroPage.rc and the code).

#define IDC_NEW_MACRO 1064
#define IDC_DELETE_MACRO 1065
#define IDC_RECORD_DELAY 1066
#define IDC_START_RECORD 1067
#define IDC_STOP_RECORD 1068
#define IDC_MACRO_LIST 1069
#define IDC_MACRO_EDITOR 1070
