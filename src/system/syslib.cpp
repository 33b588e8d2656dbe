#include "system/syslib.h"

decltype(&CreateToolbarEx) CreateToolbarFromSystem;
decltype(&ImageList_GetIcon) GetImageListIcon;

template <typename Call> static Call Find(HMODULE library, const char *name)
{
    return reinterpret_cast<Call>(reinterpret_cast<void *>(GetProcAddress(library, name)));
}

void RestrictLibrarySearch()
{
    // Looked up, not imported: Vista and a Windows 7 without its update lack the call, and an
    // import would keep the program from starting there. There the current folder at least
    // leaves the search.
    const auto searchSystem32Only =
        Find<BOOL(WINAPI *)(DWORD)>(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (!searchSystem32Only || !searchSystem32Only(LOAD_LIBRARY_SEARCH_SYSTEM32))
        SetDllDirectoryA("");
}

HMODULE LoadSystemLibrary(const char *name)
{
    char path[MAX_PATH + 32];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    path[length] = '\\';
    lstrcpyA(path + length + 1, name);
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

int WindowDpi(HWND window)
{
    // Looked up at each call: the bar asks only after a move or a change of the display.
    const auto dpiForWindow =
        Find<UINT(WINAPI *)(HWND)>(GetModuleHandleA("user32.dll"), "GetDpiForWindow");
    if (dpiForWindow) {
        const UINT dpi = dpiForWindow(window);
        if (dpi != 0)
            return static_cast<int>(dpi);
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

bool LoadCommonControls()
{
    const HMODULE library = LoadSystemLibrary("comctl32.dll");
    if (!library)
        return false;
    const auto initialise = Find<decltype(&InitCommonControls)>(library, "InitCommonControls");
    CreateToolbarFromSystem = Find<decltype(&CreateToolbarEx)>(library, "CreateToolbarEx");
    GetImageListIcon = Find<decltype(&ImageList_GetIcon)>(library, "ImageList_GetIcon");
    if (!initialise || !CreateToolbarFromSystem || !GetImageListIcon)
        return false;
    initialise();
    return true;
}
