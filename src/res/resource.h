// Resource names, control and command ids, private messages and timers shared by the code and
// the resource script.
#pragma once

// The bar window: its class, its dialog template and its icon share one name.
#define BAR_CLASS_NAME "KORIMBEL"
#define BAR_TEMPLATE "KORIMBEL"
#define BAR_ICON "KORIMBEL"

// Held for its life by the one bar of the user's session (the session's own name space).
#define SINGLE_BAR_MUTEX "Local\\Quorvane.korimbel"

// Child dialogs of the bar window, the properties dialog and the launch button's menu.
#define TOOLBAR_BASE_TEMPLATE "TOOLBAR_BASE"
#define FRAME_TEMPLATE "FRAME"
#define SELECT_BASE_TEMPLATE "SELECT_BASE"
#define REGIST_TEMPLATE "REGIST"
#define BTN_POPUP_MENU "BTN_POPUP"
#define CONFIG_TEMPLATE "CONFIG"
#define EXECLIST_TEMPLATE "EXECLIST"
#define ABOUTDLG_TEMPLATE "ABOUTDLG"

// The system's message by which Explorer hands the data of a drop to a window of another
// process; no header names it.
#define WM_COPYGLOBALDATA 0x0049

// Private messages (WM_USER is 0x0400).
#define UM_REBUILD_PANEL (0x0400 + 28)
#define UM_CHECK_TASKBAR (0x0400 + 29)
#define UM_LATE_INIT (0x0400 + 38)
#define UM_APPBAR_NOTIFY (0x0400 + 100)

// Commands of the command strip's toolbar.
#define IDM_EXIT 40001
#define IDM_PREVIOUS_PAGE 40003
#define IDM_SETTINGS 40006
#define IDM_NEXT_PAGE 40007

// The command strip's toolbar, a child of the strip, and its bitmap: a row of 16 x 16 pictures.
#define IDC_COMMAND_TOOLBAR 88
#define IDB_TOOLBAR 113
#define IDB_TOOLBAR_20 114
#define IDB_TOOLBAR_24 115
#define IDB_TOOLBAR_32 116

// Commands of the launch button's menu.
#define IDM_COPY 40012
#define IDM_CUT 40013
#define IDM_PASTE 40014
#define IDM_PROPERTIES 40015
#define IDM_DELETE 40016

// Controls of the properties dialog.
#define IDC_BROWSE 3
#define IDC_FILE_INFO 1018
#define IDC_FILE_LABEL 1031
#define IDC_FILE 1032
#define IDC_TITLE_LABEL 1033
#define IDC_TITLE 1034
#define IDC_RUN_AT_START 1035
#define IDC_SHOW_MODE_LABEL 1044
#define IDC_SHOW_MODE 1045

// Controls of the settings dialog.
#define IDC_ABOUT 3
#define IDC_STARTUP_LIST 4
#define IDC_HELP_DOCUMENT 5
#define IDC_EXPORT_BAR 6
#define IDC_IMPORT_BAR 7
#define IDC_START_EXEC 1031
#define IDC_START_LAUNCH 1032
#define IDC_TOP_MODE 1036
#define IDC_HIDE_MODE 1037
#define IDC_HIDE_TIME 1048
#define IDC_PAGE_COUNT 1056
#define IDC_PAGE_COUNT_LABEL 1057
#define IDC_SETTINGS_FRAME 1018
#define IDC_BARFILE_STATUS 1058
#define IDC_HOTKEY_LABEL 1059
#define IDC_HOTKEY 1060
#define IDC_HOTKEY_IN_USE 1061
#define IDC_HIDE_TIME_LABEL 1062

// The settings dialog's result when an import replaced the bar; OK and cancel give 1.
#define CONFIG_IMPORTED 2

// Controls of the start-up list.
#define IDC_UNREGISTER_SELECTED 3
#define IDC_UNREGISTER_ALL 4
#define IDC_LIST_TITLES 1036
#define IDC_LIST_SLOTS 1046
#define IDC_LIST_FRAME 1018

// Texts the code loads.
#define IDS_SHOW_NORMAL 100
#define IDS_SHOW_MINIMIZED 101
#define IDS_SHOW_MAXIMIZED 102
#define IDS_BROWSE_FILTER 103
#define IDS_BROWSE_TITLE 104
// IDS_TIP_EXIT to IDS_TIP_NEXT_PAGE: the toolbar's buttons in their order, which their
// accessible names follow.
#define IDS_TIP_EXIT 105
#define IDS_TIP_SETTINGS 106
#define IDS_TIP_PREVIOUS_PAGE 107
#define IDS_TIP_NEXT_PAGE 108
#define IDS_EMPTY_BUTTON 109
#define IDS_PAGES_1 110 // to IDS_PAGES_1 + 4: the page counts offered
#define IDS_BARFILE_FILTER 120
#define IDS_EXPORT_TITLE 121
#define IDS_IMPORT_TITLE 122
#define IDS_BAR_EXPORTED 123
#define IDS_BAR_NOT_EXPORTED 124
// IDS_IMPORT_REFUSED + a result of an import other than done (store/barfile.h, 1 to 7): why
// it changed nothing.
#define IDS_IMPORT_REFUSED 130

// Timers.
#define AUTOHIDE_TIMER_ID 1

// The bar window's hotkey.
#define BAR_HOTKEY_ID 1
