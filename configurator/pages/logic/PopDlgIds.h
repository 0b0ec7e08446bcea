#pragma once
// Control ids of the pop-up (shared by PopDlg.rc, the pop-up and its layout table).

#define IDC_POPUP_OK 1076
#define IDC_POPUP_CANCEL 1077
#define IDC_POPUP_CLOSE 1078
#define IDC_POPUP_TIME 1079
#define IDC_POPUP_IMAGE 1080
