#include <windows.h>

#include "system/syslib.h"
#include "shell/instance.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showCommand)
{
    RestrictLibrarySearch();
    const HANDLE claim = ClaimSingleBar();
    if (!claim)
        return 0;
    MSG msg = {};
    if ((previous || RegisterBarClass(instance)) && StartInstance(instance, showCommand)) {
        while (GetMessageA(&msg, nullptr, 0, 0)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    ReleaseSingleBar(claim);
    return static_cast<int>(msg.wParam);
}
