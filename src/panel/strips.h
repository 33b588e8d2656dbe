// The two strips at the head of the bar: the command strip with its toolbar (exit, settings,
// previous page, next page) and the grip strip. Both start the bar's move when pressed.
#pragma once

#include <windows.h>

HWND CreateCommandStrip(HWND bar);
HWND CreateGripStrip(HWND bar);

// Builds the four-button toolbar on the command strip and sets the command strip size.
void CreateCommandToolbar(HWND strip);
