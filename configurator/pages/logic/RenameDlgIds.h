#pragma once
// Control ids of the rename dialog (shared by RenameDlg.rc, the dialog and its layout table).

#define IDC_RENAME_OK 1072
#define IDC_RENAME_CANCEL 1073
#define IDC_RENAME_CLOSE 1074
#define IDC_RENAME_NAME 1075
