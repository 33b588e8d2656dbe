#include "placement/barwindow.h"

HINSTANCE Instance;
HWND BarWindow;

void AttachBarWindow(HWND window)
{
    BarWindow = window;
    Instance = reinterpret_cast<HINSTANCE>(GetWindowLongA(window, GWL_HINSTANCE));
}
