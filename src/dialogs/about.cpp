#include "dialogs/about.h"

#include <shellapi.h>

#include "placement/barwindow.h"
#include "res/resource.h"
#include "store/settings.h"
#include "text/paths.h"

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
    DialogBoxParamW(Instance, L"" ABOUTDLG_TEMPLATE, owner, AboutProc, 0);
}

// By its full path: the current directory need not be the program's folder. A path that does not
// fit is not cut short, nor is the bare name tried, which could find some other file.
void OpenHelpDocument()
{
    char path[kPathBufferSize];
    if (FormHelpPath(Settings.curpath, path))
        ShellExecuteA(BarWindow, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
}
