/* Resource and control ids of the main dialog: the one place for these numbers, shared by the
   .rc template and the code. Plain macros, because the resource compiler reads this too. */
#pragma once

/* Resources */
#define IDD_MAIN_DIALOG 101
#define IDB_BANNER 103
#define IDB_UNLIMITED 104
#define IDI_FERRIX 105

/* Job inputs: 1001-1005 */
#define IDC_SOURCE_LIST 1001
#define IDC_DEST_EDIT 1002
#define IDC_ADD 1003
#define IDC_REMOVE 1004
#define IDC_BROWSE 1005

/* Speed: 1006, 1015, 1016 */
#define IDC_SPEED_SLIDER 1006
#define IDC_SPEED_TEXT 1015
#define IDC_SPEED_UNLIMITED 1016

/* Job control and progress: 1007-1012, 1017 */
#define IDC_START_STOP 1007
#define IDC_FILE_PROGRESS 1008
#define IDC_ALL_PROGRESS 1009
#define IDC_STATUS_LINE 1010
#define IDC_PAUSE 1011
#define IDC_ESTIMATE_LINE 1012
#define IDC_CURRENT_FILE 1017

/* Options: 1013-1014 */
#define IDC_OVERWRITE_ALL 1013
#define IDC_DONT_NOTIFY 1014

/* Settings files and list: 1018-1020 */
#define IDC_SAVE 1018
#define IDC_LOAD 1019
#define IDC_CLEAR_ALL 1020

/* System menu items: multiples of 16 below 0xF000, as WM_SYSCOMMAND keeps its low four bits
   for the system */
#define IDM_VERIFY_AFTER_COPY 0x0200
