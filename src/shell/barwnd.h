// The bar window: its procedure and its life from creation to destruction.
#pragma once

#include <windows.h>

LRESULT CALLBACK BarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
