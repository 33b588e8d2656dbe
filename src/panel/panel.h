// The button panel: one launch button per slot of the current page, paging, and the slots opened
// when the bar starts.
#pragma once

#include <windows.h>

#include "panel/layout.h"

extern HWND ButtonPanel; // the panel shown, null while there is none
extern int ButtonsPerPage;

// Lays the bar's children out for its size and builds the panel of the current page anew.
void RebuildPanel();

// Lays the bar's children out for its new size. The panel and its buttons stay, only moved,
// while the size keeps every button as it is; otherwise the panel is built anew.
void FollowBarSize();

// After a size change that kept the panel: the taskbar margin, which shortens a vertical bar's
// panel, is asked anew (an auto-hiding bar hears of no change of the taskbar), and the panel
// is built anew when it has changed.
void CheckTaskbarMargin();

// Replaces the panel by one of the given page, which becomes the current page.
void ShowPage(int page);
void ShowPreviousPage();
void ShowNextPage();

// The slots the start-up run and the start-up list look at: every slot of every page, from 0.
long long StartupSlotCount();

// Opens the slots marked to run at start, when the settings ask for it.
void RunStartupSlots();
