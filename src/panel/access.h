// What screen readers are told of the bar's controls beyond what the system's standard objects
// tell: the role of a window, and named children where a control draws its items itself.
#pragma once

#include <windows.h>

// The answer to WM_GETOBJECT for the client of a push button (buttons 0), or of a toolbar of
// that many push buttons named by the texts firstName, firstName + 1, ...: the system's object of
// the window with that role and those children; the rest, the window's own name among it, is
// the system's object's answer. 0 for any other object asked for, or where the system offers
// no objects.
LRESULT AnswerAccessibleObject(HWND window, LPARAM object, WPARAM flags, UINT firstName = 0,
                               LONG buttons = 0);
