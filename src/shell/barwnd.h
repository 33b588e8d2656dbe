// The bar window: its procedure and its life from creation to destruction.
#pragma once

#include <windows.h>

LRESULT CALLBACK BarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Fills ProgramFolder with the folder of the program's own file. Only when that name is too long
// to read whole: from the current directory, or from the stored curpath where the current
// directory is a system folder or too long to hold.
void ResolveProgramFolder();
