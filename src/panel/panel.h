// The button panel: one launch button per slot of the current page, their tooltips, paging,
// and the tables the launch buttons share.
#pragma once

#include <windows.h>

#include "panel/layout.h"

extern int ButtonsPerPage;
extern int CommandStripSize; // 0 until the command strip's toolbar exists
extern int LaunchLock;

// Per position of the current panel: the button, the procedure it had before it became a
// launch button, and the icon it shows.
extern HWND ButtonTable[kMaxButtons];
extern WNDPROC SavedProcTable[kMaxButtons];
extern int HasIconTable[kMaxButtons + 2];
extern HICON IconTable[kMaxButtons + 2];

const UINT_PTR kLaunchLockTimer = 2;
const UINT kLaunchLockMilliseconds = 500;

void RebuildPanel();
void CreatePanel();
void ShowPreviousPage();
void ShowNextPage();

// Shows the panel's tooltip window a mouse message of the panel or of one of its buttons.
void RelayToTooltip(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The tooltip window outlives each panel; the bar destroys it when it closes.
void DestroyPanelTooltip();
