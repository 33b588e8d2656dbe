// The launch button: a standard icon button that opens its slot, takes dropped files and offers
// the slot's menu.
#pragma once

#include <windows.h>

LRESULT CALLBACK LaunchButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);

// What opens a slot's properties, where a launch fails or the menu asks for them: a dialog of a
// layer above the buttons, handed to them when the bar is created.
typedef void (*SlotPropertiesOpener)(int slot);
void SetSlotPropertiesOpener(SlotPropertiesOpener open);
