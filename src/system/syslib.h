// Libraries of the system, found in System32 only. A portable program is often started from a
// download folder, where a DLL named like a system one may have been planted: Windows looks
// for the program's imports that are no known DLL (comctl32 is none) and for libraries loaded
// by bare name in the program's folder first.
#pragma once

#include <windows.h>

#include <commctrl.h>

// From now on, libraries loaded by name, by this program or by the system's libraries it
// calls, are looked for in System32 only. Called before anything else runs.
void RestrictLibrarySearch();

// The library of this file name (of at most 30 characters) from System32, its own imports found
// there first; null when missing.
HMODULE LoadSystemLibrary(const char *name);

// A call of a library by name, as the type it is called as; null where the library or the call
// is missing.
template <typename Call> Call FindCall(HMODULE library, const char *name)
{
    return library ? reinterpret_cast<Call>(reinterpret_cast<void *>(GetProcAddress(library, name)))
                   : nullptr;
}

// The common controls of System32, loaded at run time rather than imported, so that the loader
// never resolves them in the program's folder; initialised and with the calls below found.
// False when the library or one of its calls is missing.
bool LoadCommonControls();
extern decltype(&CreateToolbarEx) CreateToolbarFromSystem;
extern decltype(&ImageList_GetIcon) GetImageListIcon;

// The DPI of the window's monitor; where the system has no per-window DPI (before Windows 10),
// the system's.
int WindowDpi(HWND window);

// A bar started as administrator still hears the shell and Explorer, which run at a lower
// integrity level: the window takes this message from them. Nothing where Windows has no such
// levels (XP).
void AcceptFromLowerIntegrity(HWND window, UINT message);
// The messages that carry files dropped from Explorer.
void AcceptDropsFromLowerIntegrity(HWND window);

// Under WOW64 (this 32-bit program on 64-bit Windows), which sends it from System32 to SysWOW64:
// the system folder as it is named (MAX_PATH bytes) and the alias by which a 32-bit program
// reaches the 64-bit one (Sysnative, MAX_PATH bytes; Vista and later). False elsewhere.
bool FindNativeSystemFolder(char *system, char *native);
