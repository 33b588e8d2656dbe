// The bar window and the module it was made from, as every layer from placement up knows them.
// The bar window's creation hands them over; nothing else writes them.
#pragma once

#include <windows.h>

extern HINSTANCE Instance;
extern HWND BarWindow;

// Takes the bar window being created, and the module that made it, whose resources the bar's
// children are built from.
void AttachBarWindow(HWND window);

// The DPI the bar's sizes are drawn at: that of its monitor, as last taken.
int BarDpi();

// Takes dpi as the bar's; true when that changes its sizes.
bool TakeBarDpi(int dpi);

// A figure given at 96 DPI, at the bar's DPI.
int BarScaled(int value);

// Moves and sizes the bar window to r, repainting it.
void MoveBarTo(const RECT &r);

// The z-band the topmost setting asks for: HWND_TOPMOST for 1, else HWND_NOTOPMOST.
HWND TopBand();

// The shell's taskbar window; null where there is none.
HWND TaskbarWindow();
