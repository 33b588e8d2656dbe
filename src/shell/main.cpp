#include <windows.h>

#include "panel/syslib.h"
#include "shell/instance.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showCommand)
{
    RestrictLibrarySearch();
    if (!ClaimSingleBar())
        return 0;
    if (!previous && !RegisterBarClass(instance))
        return 0;
    if (!StartInstance(instance, showCommand))
        return 0;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
