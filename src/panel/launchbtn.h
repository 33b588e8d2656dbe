// The launch button: a standard icon button that opens its slot, takes dropped files and offers
// the slot's menu. Each button carries its own state: its slot, the procedure it had before it
// became a launch button, and the icon it shows.
#pragma once

#include <windows.h>

// A launch button of panel for the slot, at (x, y), with the slot's icon and tip.
HWND CreateLaunchButton(HWND panel, int slot, int x, int y, int width, int height);

// The tips of the launch buttons of panel made before the tooltip window was.
void AddLaunchButtonTips(HWND panel);

// Gives the keyboard focus to the launch button of panel that last had it, where it is there,
// else to the one at the same place of the page (the last where the page is shorter): the first
// one before any had it.
void FocusLaunchButton(HWND panel);

// What opens a slot's properties, where a launch fails or the menu asks for them: a dialog of a
// layer above the buttons, handed to them when the bar is created.
typedef void (*SlotPropertiesOpener)(int slot);
void SetSlotPropertiesOpener(SlotPropertiesOpener open);

// A click opens nothing more until the lock's time has passed on its panel's timer, or the panel
// goes: a double click, or a slow program, would open the slot twice.
const UINT_PTR kLaunchLockTimer = 2;
void ReleaseLaunchLock(HWND panel);

// Asks the bar to build its panel anew once the current message is handled: what a change of
// a slot's File or Title needs. Posted, so that the handler that asked has returned first.
void RequestPanelRebuild();
