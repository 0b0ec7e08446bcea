#pragma once
// Control ids of the support page (shared by SupportPage.rc, the page and its layout table).

#define IDC_SUPPORT_ONLINE 1071
#define IDC_SUPPORT_CHECK_UPDATES 1072
#define IDC_SUPPORT_CHECK_FIRMWARE 1073
#define IDC_SUPPORT_SOFT_VERSION 1081
#define IDC_SUPPORT_FIRM_VERSION 1082
