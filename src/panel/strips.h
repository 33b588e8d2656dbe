// The two strips at the head of the bar: the command strip and the grip strip, child dialogs of
// the bar window created once with it.
#pragma once

#include <windows.h>

HWND CreateCommandStrip(HWND bar);
HWND CreateGripStrip(HWND bar);
