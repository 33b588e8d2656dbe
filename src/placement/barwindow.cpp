#include "placement/barwindow.h"

#include "placement/geometry.h"
#include "store/settings.h"
#include "system/syslib.h"

HINSTANCE Instance;
HWND BarWindow;
static int Dpi = kBaseDpi;

void AttachBarWindow(HWND window)
{
    BarWindow = window;
    Instance = reinterpret_cast<HINSTANCE>(GetWindowLongA(window, GWL_HINSTANCE));
    Dpi = WindowDpi(window);
}

int BarDpi()
{
    return Dpi;
}

bool TakeBarDpi(int dpi)
{
    if (dpi <= 0 || dpi == Dpi)
        return false;
    Dpi = dpi;
    return true;
}

int BarScaled(int value)
{
    return Scaled(value, Dpi);
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
