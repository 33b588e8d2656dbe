// Resource names, control and command ids, private messages and timers shared by the code and
// the resource script.
#pragma once

// The bar window: its class, its dialog template and its icon share one name.
#define BAR_CLASS_NAME "KORIMBEL"
#define BAR_TEMPLATE "KORIMBEL"
#define BAR_ICON "KORIMBEL"

// Child dialogs of the bar window.
#define TOOLBAR_BASE_TEMPLATE "TOOLBAR_BASE"
#define FRAME_TEMPLATE "FRAME"

// Private messages (WM_USER is 0x0400).
#define UM_REBUILD_PANEL (0x0400 + 28)
#define UM_LATE_INIT (0x0400 + 38)
#define UM_APPBAR_NOTIFY (0x0400 + 100)

// Commands of the command strip's toolbar.
#define IDM_EXIT 40001
#define IDM_PREVIOUS_PAGE 40003
#define IDM_SETTINGS 40006
#define IDM_NEXT_PAGE 40007

// Timers.
#define AUTOHIDE_TIMER_ID 1
