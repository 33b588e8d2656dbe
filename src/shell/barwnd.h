// The bar window: its procedure, its life from creation to destruction, and the handles that
// every other module posts and sends to.
#pragma once

#include <windows.h>

extern HINSTANCE Instance;
extern HWND BarWindow;
extern HWND CommandStrip;
extern HWND GripStrip;
extern HWND ButtonPanel;

// The bar window's style as created, before docking changed it: what a floating bar wears.
extern LONG FloatingStyle;

LRESULT CALLBACK BarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Fills ProgramFolder from the current directory, or from the stored curpath where the current
// directory is a system folder or too long to hold.
void ResolveProgramFolder();

// Writes the floating flag, the floating rectangle while floating, the dock edge and the page.
void SavePlacement();
