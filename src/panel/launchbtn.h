// The launch button: a standard icon button that opens its slot, takes dropped files and offers
// the slot's menu.
#pragma once

#include <windows.h>

LRESULT CALLBACK LaunchButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);
