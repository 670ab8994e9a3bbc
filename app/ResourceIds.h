// Ids of the program's resources and menu commands, shared by the resource script and the code.
// Kept free of anything but #define: the resource compiler reads it too.
#pragma once

// Strings
#define IDS_APP_TITLE 1
#define IDS_APP_CLASS 2
#define IDS_EXIT 103
#define IDS_HELP 104

#define IDI_APP 101
#define IDA_MAIN 2

// The menu bar description and the menu that holds its Help pop-up share one id.
#define IDR_MAINMENU 102

#define IDD_ABOUT 105
#define IDD_MANUAL 132
#define IDC_ABOUT_ICON 201
#define IDC_ABOUT_NOTICE 203
#define IDC_ABOUT_VERSION 207

#define IDB_BOARD 149
#define IDB_SITE_LOGO 159
#define IDB_BOTTLE 160

// Menu commands
#define IDM_EXIT 40000
#define IDM_HELP 40001
#define IDM_ABOUT 40002
#define IDM_MANUAL 32771
