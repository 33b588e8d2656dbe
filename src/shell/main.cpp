#include <windows.h>

#include "system/syslib.h"
#include "shell/instance.h"

static int RunBar(HINSTANCE instance, int showCommand)
{
    RestrictLibrarySearch();
    const HANDLE claim = ClaimSingleBar();
    if (!claim)
        return 0;
    MSG msg = {};
    if (RegisterBarClass(instance) && StartInstance(instance, showCommand)) {
        while (GetMessageA(&msg, nullptr, 0, 0)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    ReleaseSingleBar(claim);
    return static_cast<int>(msg.wParam);
}

// The linker's list of the static constructors, which the C runtime's start-up would have run.
extern "C" void (*__CTOR_LIST__[])();

// The program's entry. The C runtime's start-up code is not linked: the bar reads no arguments,
// uses no standard streams and registers nothing to run at exit. The constructors of static
// objects, should there be any, are run here all the same.
extern "C" __attribute__((force_align_arg_pointer)) void WINAPI BarStart()
{
    for (void (**constructor)() = __CTOR_LIST__ + 1; *constructor; ++constructor)
        (*constructor)();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const int show = startup.dwFlags & STARTF_USESHOWWINDOW ? startup.wShowWindow : SW_SHOWDEFAULT;
    ExitProcess(RunBar(GetModuleHandleA(nullptr), show));
}
