#pragma once
// Resources of the update window (shared by Updater.rc and the code).

#define IDD_UPDATE 102
#define IDC_PROGRESS 1002
#define IDI_UPDATER 128
#define IDB_UPDATE_MASK 130
#define IDB_UPDATE_BACKGROUND 145
