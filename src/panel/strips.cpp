#include "panel/strips.h"

#include "res/resource.h"
#include "shell/barwnd.h"

static INT_PTR CALLBACK CommandStripProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

static INT_PTR CALLBACK GripStripProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

HWND CreateCommandStrip(HWND bar)
{
    return CreateDialogParamA(Instance, TOOLBAR_BASE_TEMPLATE, bar, CommandStripProc, 0);
}

HWND CreateGripStrip(HWND bar)
{
    return CreateDialogParamA(Instance, FRAME_TEMPLATE, bar, GripStripProc, 0);
}
