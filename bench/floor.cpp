// The floors for the start-up benchmark: the least a program can do to show a window of its own
// class made from a dialog template, as the bar does. Built a second time with
// LOAD_BAR_LIBRARIES, it first loads and starts the system libraries the bar needs before its
// window shows: the common controls, the shell, and COM on its thread. Built a third time with
// DOCK_AT_RIGHT_EDGE as well, it also does what a docked bar cannot do without: it takes a
// session mutex and docks its window, borderless and as thick as the bar, at the right edge of
// the screen as an application desktop toolbar (ABM_NEW, ABM_QUERYPOS, ABM_SETPOS) before it
// shows it; it gives the edge back as it closes.
#include <windows.h>

#ifdef LOAD_BAR_LIBRARIES
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#endif

#ifdef DOCK_AT_RIGHT_EDGE
#include "placement/geometry.h"

static APPBARDATA Dock;

static void DockAtRightEdge(HWND window)
{
    Dock.cbSize = sizeof Dock;
    Dock.hWnd = window;
    Dock.uCallbackMessage = WM_APP;
    SHAppBarMessage(ABM_NEW, &Dock);
    Dock.uEdge = ABE_RIGHT;
    SetRect(&Dock.rc, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    SHAppBarMessage(ABM_QUERYPOS, &Dock);
    Dock.rc.left = Dock.rc.right - kDockedThickness;
    SHAppBarMessage(ABM_SETPOS, &Dock);
    MoveWindow(window, Dock.rc.left, Dock.rc.top, kDockedThickness, Dock.rc.bottom - Dock.rc.top,
               FALSE);
}
#endif

static LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
#ifdef DOCK_AT_RIGHT_EDGE
        SHAppBarMessage(ABM_REMOVE, &Dock);
#endif
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
#ifdef DOCK_AT_RIGHT_EDGE
    CreateMutexA(nullptr, FALSE, "Local\\Quorvane.korimbel.floor");
    const char *const floorTemplate = "DOCKED";
#else
    const char *const floorTemplate = "FLOOR";
#endif
#ifdef LOAD_BAR_LIBRARIES
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    InitCommonControls();
#endif
    WNDCLASSA floorClass = {};
    floorClass.lpfnWndProc = FloorProc;
    floorClass.cbWndExtra = DLGWINDOWEXTRA;
    floorClass.hInstance = instance;
    floorClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    floorClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    floorClass.lpszClassName = "KORIMBEL_FLOOR";
    if (!RegisterClassA(&floorClass))
        return 0;
    const HWND window = CreateDialogParamA(instance, floorTemplate, nullptr, nullptr, 0);
    if (!window)
        return 0;
#ifdef LOAD_BAR_LIBRARIES
    DragAcceptFiles(window, TRUE); // a call of the shell's, which the bar's buttons make too
#endif
#ifdef DOCK_AT_RIGHT_EDGE
    DockAtRightEdge(window);
#endif
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
