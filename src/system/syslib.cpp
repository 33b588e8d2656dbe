#include "system/syslib.h"

#include "res/resource.h"

decltype(&CreateToolbarEx) CreateToolbarFromSystem;
decltype(&ImageList_GetIcon) GetImageListIcon;

void RestrictLibrarySearch()
{
    // Looked up, not imported: Vista and a Windows 7 without its update lack the call, and an
    // import would keep the program from starting there. There the current folder at least
    // leaves the search.
    const auto searchSystem32Only =
        FindCall<BOOL(WINAPI *)(DWORD)>(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
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
        FindCall<UINT(WINAPI *)(HWND)>(GetModuleHandleA("user32.dll"), "GetDpiForWindow");
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

// The libraries the common controls and the shell's dialogs load by bare name when they first
// draw or open (seen: msimg32 as the toolbar first draws). Loaded first by their System32 path,
// they are found already loaded then: that holds on a Windows 7 without SetDefaultDllDirectories
// too, where the program's folder is still searched. One missing on an older Windows is left out.
static const char *const kHelperLibraries[] = {"msimg32.dll", "uxtheme.dll", "dwmapi.dll"};

bool LoadCommonControls()
{
    for (const char *helper : kHelperLibraries)
        LoadSystemLibrary(helper);
    const HMODULE library = LoadSystemLibrary("comctl32.dll");
    if (!library)
        return false;
    const auto initialise = FindCall<decltype(&InitCommonControls)>(library, "InitCommonControls");
    CreateToolbarFromSystem = FindCall<decltype(&CreateToolbarEx)>(library, "CreateToolbarEx");
    GetImageListIcon = FindCall<decltype(&ImageList_GetIcon)>(library, "ImageList_GetIcon");
    if (!initialise || !CreateToolbarFromSystem || !GetImageListIcon)
        return false;
    initialise();
    return true;
}

// Windows 7 and later filter per window; Vista only for the whole process; XP has no integrity
// levels, and neither call. Looked up once.
typedef BOOL(WINAPI *WindowFilter)(HWND, UINT, DWORD, void *);
typedef BOOL(WINAPI *ProcessFilter)(UINT, DWORD);
static WindowFilter FilterForWindow;
static ProcessFilter FilterForProcess;
static bool FiltersLookedUp;

void AcceptFromLowerIntegrity(HWND window, UINT message)
{
    if (!FiltersLookedUp) {
        const HMODULE user = GetModuleHandleA("user32.dll");
        FilterForWindow = FindCall<WindowFilter>(user, "ChangeWindowMessageFilterEx");
        FilterForProcess = FindCall<ProcessFilter>(user, "ChangeWindowMessageFilter");
        FiltersLookedUp = true;
    }
    if (FilterForWindow)
        FilterForWindow(window, message, MSGFLT_ALLOW, nullptr);
    else if (FilterForProcess)
        FilterForProcess(message, MSGFLT_ADD);
}

static const UINT kDropMessages[] = {WM_DROPFILES, WM_COPYDATA, WM_COPYGLOBALDATA};

void AcceptDropsFromLowerIntegrity(HWND window)
{
    for (const UINT message : kDropMessages)
        AcceptFromLowerIntegrity(window, message);
}

bool FindNativeSystemFolder(char *system, char *native)
{
    BOOL wow64 = FALSE;
    const auto underWow64 =
        FindCall<BOOL(WINAPI *)(HANDLE, BOOL *)>(GetModuleHandleA("kernel32.dll"), "IsWow64Process");
    if (!underWow64 || !underWow64(GetCurrentProcess(), &wow64) || !wow64)
        return false;
    const UINT systemLength = GetSystemDirectoryA(system, MAX_PATH);
    const UINT windowsLength = GetWindowsDirectoryA(native, MAX_PATH - 11);
    if (systemLength == 0 || systemLength >= MAX_PATH || windowsLength == 0 ||
        windowsLength >= MAX_PATH - 11)
        return false;
    lstrcpyA(native + windowsLength,
             native[windowsLength - 1] == '\\' ? "Sysnative" : "\\Sysnative");
    const DWORD attributes = GetFileAttributesA(native);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
