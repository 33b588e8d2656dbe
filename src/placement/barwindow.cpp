#include "placement/barwindow.h"

#include "store/settings.h"

HINSTANCE Instance;
HWND BarWindow;

void AttachBarWindow(HWND window)
{
    BarWindow = window;
    Instance = reinterpret_cast<HINSTANCE>(GetWindowLongA(window, GWL_HINSTANCE));
}

void MoveBarTo(const RECT &r)
{
    MoveWindow(BarWindow, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

HWND TopBand()
{
    return Settings.TopMode == 1 ? HWND_TOPMOST : HWND_NOTOPMOST;
}

HWND TaskbarWindow()
{
    return FindWindowA("Shell_TrayWnd", nullptr);
}
