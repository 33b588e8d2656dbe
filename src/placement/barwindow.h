// The bar window and the module it was made from, as every layer from placement up knows them.
// The bar window's creation hands them over; nothing else writes them.
#pragma once

#include <windows.h>

extern HINSTANCE Instance;
extern HWND BarWindow;

// Takes the bar window being created, and the module that made it, whose resources the bar's
// children are built from.
void AttachBarWindow(HWND window);
