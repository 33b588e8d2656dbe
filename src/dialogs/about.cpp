#include "dialogs/about.h"

#include <shellapi.h>

#include "placement/barwindow.h"
#include "res/resource.h"
#include "store/slots.h"

static INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}

void OpenAboutBox(HWND owner)
{
    DialogBoxParamA(Instance, ABOUTDLG_TEMPLATE, owner, AboutProc, 0);
}

void OpenHelpDocument()
{
    wsprintfA(ScratchBuffer, "%s", "korimbel.htm");
    ShellExecuteA(BarWindow, "open", ScratchBuffer, nullptr, nullptr, SW_SHOWNORMAL);
}
