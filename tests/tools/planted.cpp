// A DLL planted beside the program under a system library's name (the build makes one for each
// name): when anything loads it, it leaves the file "<its own path>.loaded".
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char marker[MAX_PATH + 8];
    const DWORD length = GetModuleFileNameA(self, marker, MAX_PATH);
    lstrcpyA(marker + length, ".loaded");
    const HANDLE file = CreateFileA(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return TRUE;
}
