// Every number the program shares with its resources: icons, strings, templates, controls and
// commands. Included by the resource script as well as by the C++ code, so plain defines only.
#pragma once

// Icons (each 16, 20, 24, 32, 40 and 48 px square; see res/icons/README.md).
#define IDR_MAINFRAME 128    // the program's icon
#define IDI_TRAY_HIDDEN 129  // own tray icon while the entry icons are out of the tray
#define IDI_TRAY_SHOWN 132   // own tray icon while the entry icons are in the tray
#define IDI_GROUP_BASE 133   // built-in group icons 133..138, taken by group number mod 6
#define IDI_GROUP_COUNT 6
#define IDI_SUBSTITUTE 139  // stands in for an entry whose file yields no icon

// Strings.
#define AFX_IDS_APP_TITLE 57344  // application name: registry key and message box caption
#define IDS_MAIN_TITLE 61204     // title of the hidden main window, found by a second start

// Dialog templates.
#define IDD_ENTRY_SETTINGS 130
#define IDD_CHANGE_ICON 140
#define IDD_ORDER 141

// Controls.
#define IDC_STATIC (-1)  // labels and pictures no code refers to
#define IDC_PATH 1000
#define IDC_TITLE 1001
#define IDC_DIR 1002
#define IDC_PARM 1003
#define IDC_SHOW 1004
#define IDC_BROWSE 1005
#define IDC_CHANGE_ICON 1006
#define IDC_MAKE_GROUP 1007
#define IDC_ICON_PREVIEW 1009
#define IDC_ICON_PREV 1010
#define IDC_ICON_NEXT 1011
#define IDC_ICON_DEFAULT 1012
#define IDC_ICON_BROWSE 1013
#define IDC_ENTRY_PREVIEW 1014
#define IDC_ORDER_LIST 1015
#define IDC_ORDER_UP 1016
#define IDC_ORDER_DOWN 1017
#define IDC_ORDER_EDIT 1018
#define IDC_ORDER_DELETE 1019

// Commands.
#define ID_ICON_ADD 200
#define ID_ICON_ORDER 202
#define ID_ENTRY_SETTINGS 300
#define ID_ENTRY_DELETE 301
#define ID_GROUP_RENAME 400
#define ID_GROUP_DELETE 401
#define ID_GROUP_ADD 402
#define ID_GROUP_EDIT 403
#define ID_TRAY_DBLCLK 500  // posted by a double click on a tray icon
#define ID_TRAY_MENU 501    // posted by the right button's release
#define ID_TRAY_CLICK 502   // posted by the left button's release on a group
#define ID_MEMBER_NONE 700
#define ID_MEMBER_FIRST 701
#define ID_MEMBER_LAST 800
#define ID_APP_EXIT 57665
#define ID_HELP 57670

// The callback message of every tray icon of the program (WM_APP + 100).
#define WM_TRAYNOTIFY 0x8064
