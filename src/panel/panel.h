// The button panel: one launch button per slot of the current page, their tooltips, paging,
// and the tables the launch buttons share.
#pragma once

#include <windows.h>

#include "panel/layout.h"

extern HWND ButtonPanel; // the panel shown, null while there is none
extern int ButtonsPerPage;
extern int LaunchLock;

// Per position of the current panel: the button, the procedure it had before it became a
// launch button, and the icon it shows. The icon tables have two entries more than a page has
// buttons, the size the launch buttons' state was laid out with; only the first kMaxButtons are
// ever used.
extern HWND ButtonTable[kMaxButtons];
extern WNDPROC SavedProcTable[kMaxButtons];
extern int HasIconTable[kMaxButtons + 2];
extern HICON IconTable[kMaxButtons + 2];

const UINT_PTR kLaunchLockTimer = 2;
const UINT kLaunchLockMilliseconds = 500;

// Lays the bar's children out for its size and builds the panel of the current page anew.
void RebuildPanel();

// Lays the bar's children out for its new size. The panel and its buttons stay, only moved,
// while the size keeps every button as it is; otherwise the panel is built anew.
void FollowBarSize();

// After a size change that kept the panel: the taskbar margin, which shortens a vertical bar's
// panel, is asked anew (an auto-hiding bar hears of no change of the taskbar), and the panel
// is built anew when it has changed.
void CheckTaskbarMargin();

// Asks the bar to build its panel anew once the current message is handled: what a change of
// a slot's File or Title needs. Posted, so that the handler that asked has returned first.
void RequestPanelRebuild();

// Replaces the panel by one of the given page, which becomes the current page.
void ShowPage(int page);
void ShowPreviousPage();
void ShowNextPage();

// Shows the panel's tooltip window a mouse message of the panel or of one of its buttons.
void RelayToTooltip(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The tooltip window outlives each panel; the bar destroys it when it closes.
void DestroyPanelTooltip();
