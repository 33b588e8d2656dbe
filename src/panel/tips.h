// The launch buttons' tips: one tooltip window for the bar's life, a tool for each button of the
// panel shown.
#pragma once

#include <windows.h>

// Making the tooltip window costs the bar's start more than all its buttons together: it is made
// once the bar is up, and until then the buttons have no tools.
void CreateButtonTips();

// Adds the tool of a launch button of panel, showing its title.
void AddButtonTip(HWND panel, HWND button, const char *title);

// Shows the tooltip window a mouse message of the panel or of one of its buttons.
void RelayToTooltip(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Takes the tools of the panel that goes; a tip showing for one of them is hidden.
void RemoveButtonTips();

// The tooltip window outlives each panel; the bar destroys it when it closes.
void DestroyButtonTips();
