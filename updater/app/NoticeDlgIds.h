#pragma once
// Resources of the six notices (shared by Updater.rc and the code).

#define IDD_NOTICE 129
#define IDB_NOTICE_MASK 146
#define IDB_DRIVER_OFFER 135
#define IDB_FAILURE 139
#define IDB_UPDATE_OFFER 143
#define IDB_SUCCESS 144
#define IDB_UP_TO_DATE 156
#define IDB_BACKUP_WARNING 157
