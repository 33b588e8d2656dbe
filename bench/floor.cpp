// The floor for the start-up benchmark: the least a program can do to show a window of its own
// class made from a dialog template, as the bar does. Built a second time with
// LOAD_BAR_LIBRARIES, it first loads and starts the system libraries the bar needs before its
// window shows: the common controls, the shell, and COM on its thread.
#include <windows.h>

#ifdef LOAD_BAR_LIBRARIES
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#endif

static LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
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
    const HWND window = CreateDialogParamA(instance, "FLOOR", nullptr, nullptr, 0);
    if (!window)
        return 0;
#ifdef LOAD_BAR_LIBRARIES
    DragAcceptFiles(window, TRUE); // a call of the shell's, which the bar's buttons make too
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
