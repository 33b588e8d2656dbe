#include "shell/instance.h"

#include "res/resource.h"
#include "shell/barwnd.h"

ATOM RegisterBarClass(HINSTANCE instance)
{
    WNDCLASSA barClass = {};
    barClass.lpfnWndProc = BarWindowProc;
    barClass.cbWndExtra = DLGWINDOWEXTRA;
    barClass.hInstance = instance;
    barClass.hIcon = LoadIconA(instance, BAR_ICON);
    barClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    barClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    barClass.lpszClassName = BAR_CLASS_NAME;
    return RegisterClassA(&barClass);
}

// Two starts a moment apart (a double double-click, two Run values) would both pass the window
// test below before either window exists.
HANDLE ClaimSingleBar()
{
    const HANDLE claim = CreateMutexA(nullptr, FALSE, SINGLE_BAR_MUTEX);
    if (claim && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(claim);
        return nullptr;
    }
    return claim;
}

void ReleaseSingleBar(HANDLE claim)
{
    CloseHandle(claim);
}

int StartInstance(HINSTANCE instance, int showCommand)
{
    if (FindWindowA(BAR_CLASS_NAME, nullptr))
        return 0;
    const HWND bar = CreateDialogParamA(instance, BAR_TEMPLATE, nullptr, nullptr, 0);
    if (!bar)
        return 0;
    ShowWindow(bar, showCommand);
    UpdateWindow(bar);
    return 1;
}
