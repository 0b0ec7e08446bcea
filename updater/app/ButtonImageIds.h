#pragma once
// The state images of the updater's buttons (shared by Updater.rc and the code).

#define IDB_EXIT_PRESSED 136
#define IDB_EXIT_NORMAL 137
#define IDB_EXIT_HOVER 138
// The update window's close button while a close waits for the transfer to end.
#define IDB_EXIT_DISABLED 164
#define IDB_OK_PRESSED 140
#define IDB_OK_NORMAL 141
#define IDB_OK_HOVER 142
#define IDB_CANCEL_HOVER 147
#define IDB_CANCEL_PRESSED 148
#define IDB_CANCEL_NORMAL 149
#define IDB_DOWNLOAD_HOVER 150
#define IDB_DOWNLOAD_PRESSED 151
#define IDB_DOWNLOAD_NORMAL 152
#define IDB_UPGRADE_HOVER 153
#define IDB_UPGRADE_PRESSED 154
#define IDB_UPGRADE_NORMAL 155
#define IDB_CONTINUE_HOVER 158
#define IDB_CONTINUE_PRESSED 159
#define IDB_CONTINUE_NORMAL 160
#define IDB_CLOSE_HOVER 161
#define IDB_CLOSE_PRESSED 162
#define IDB_CLOSE_NORMAL 163
