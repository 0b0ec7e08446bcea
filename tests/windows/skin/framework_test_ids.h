#pragma once
// Resource ids of the framework test program (100 .. 399).
#define IDD_FRAMEWORK_HOST 200
#define IDD_FRAMEWORK_MODAL 201
#define IDD_FRAMEWORK_PAGE 202
#define IDC_HOST_CHECK 300
#define IDC_HOST_BUTTON 301
#define IDC_HOST_COMBO 302
#define IDC_HOST_STATIC 303
#define IDC_HOST_EDIT 304
