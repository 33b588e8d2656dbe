#include "shell/barwnd.h"

#include <objbase.h>

#include "dialogs/propsdlg.h"
#include "dialogs/settingsdlg.h"
#include "panel/fileicon.h"
#include "panel/keyboard.h"
#include "panel/tips.h"
#include "panel/launchbtn.h"
#include "panel/panel.h"
#include "panel/strips.h"
#include "system/syslib.h"
#include "placement/appbar.h"
#include "placement/autohide.h"
#include "placement/barwindow.h"
#include "placement/floating.h"
#include "placement/geometry.h"
#include "res/resource.h"
#include "store/settings.h"

// The message the shell broadcasts when it starts again; registered by name, so not a constant.
static UINT TaskbarCreated;

// From a creation that succeeded to the destruction: a window whose creation failed is destroyed
// too, and must neither save settings it never read nor give back what it never took.
static bool Created;

// Without its common controls the bar cannot stand: the window is not made, and nothing has been
// taken or written before that is known. COM for the shell, from before its first call to the
// bar's end: the shell extensions that open documents, draw icons and run the browse dialog need
// an apartment-threaded caller.
static LRESULT OnCreate(HWND window)
{
    if (!LoadCommonControls())
        return -1;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    Created = true;
    AttachBarWindow(window);
    SetSlotPropertiesOpener(OpenPropertiesDialog);
    LoadSettings();
    ResetAutoHide();
    RememberFloatingStyle();
    // A floating bar takes its band once it has its shape: a change of the window's position
    // before would turn it to the shape the template gave the window.
    if (Settings.FloatMode != 0) {
        RestoreFloatGeometry();
        ApplyTopMode();
    } else {
        EnterDockedStyle();
    }
    CreateCommandStrip(window);
    CreateCommandToolbar();
    CreateGripStrip(window);
    // The placement above laid the panel out before the strips existed.
    RebuildPanel();
    TaskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    AcceptFromLowerIntegrity(window, TaskbarCreated);
    AcceptFromLowerIntegrity(window, UM_APPBAR_NOTIFY);
    AcceptDropsFromLowerIntegrity(window);
    PostMessageA(window, UM_LATE_INIT, 0, 0);
    return 0;
}

static LRESULT OnDestroy()
{
    if (!Created)
        return 0;
    Created = false;
    StopAutoHideTimer();
    StopFollowingForeground();
    if (Settings.FloatMode == 0)
        RemoveAppBar(Settings.HideMode);
    SavePlacement();
    DestroyButtonTips();
    ForgetFileIcons();
    CoUninitialize();
    PostQuitMessage(0);
    return 0;
}

// The program folder names the autostart entry and the help document, and the tips show under the
// pointer: none of them is needed before the bar is first shown.
static LRESULT OnLateInit()
{
    CreateButtonTips();
    AddLaunchButtonTips(ButtonPanel);
    ResolveProgramFolder(Instance);
    RunStartupSlots();
    StartAutoHideTimer();
    StartFollowingForeground();
    TakeHotKey();
    return 0;
}

static LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDM_EXIT:
        DestroyWindow(window);
        return 0;
    case IDM_PREVIOUS_PAGE:
        ShowPreviousPage();
        return 0;
    case IDM_SETTINGS:
        RunSettingsCommand();
        return 0;
    case IDM_NEXT_PAGE:
        ShowNextPage();
        return 0;
    default:
        return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
    }
}

// A change of the taskbar's auto-hide state moves the end of a vertical panel.
static LRESULT OnAppBarNotify(WPARAM code, LPARAM lParam)
{
    if (code == ABN_STATECHANGE)
        RebuildPanel();
    else
        HandleAppBarNotify(code, lParam);
    return 0;
}

static LRESULT OnActivate(HWND window, WPARAM wParam, LPARAM lParam)
{
    ReportToShell(ABM_ACTIVATE);
    if (FollowBarActivation(wParam, reinterpret_cast<HWND>(lParam)))
        return 0;
    return DefWindowProcA(window, WM_ACTIVATE, wParam, lParam);
}

static LRESULT OnWindowPosChanged(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (Settings.FloatMode != 0)
        NormalizeFloatingBar();
    else
        ReportToShell(ABM_WINDOWPOSCHANGED);
    return DefWindowProcA(window, WM_WINDOWPOSCHANGED, wParam, lParam);
}

// A bar on a monitor of another DPI takes that DPI's sizes at once: its toolbar, its edge
// reserved anew with the shell or its floating thickness, then its buttons. The system does not
// tell every kind of window of a change, so the bar also asks after a drag, a display change and
// a change of the system's settings.
static void FollowBarDpi(int dpi)
{
    if (!TakeBarDpi(dpi))
        return;
    CreateCommandToolbar();
    if (Settings.FloatMode != 0)
        NormalizeFloatingBar();
    else
        PositionAppBar(Settings.AppBarMode);
    FollowBarSize();
}

// The drag may have floated or docked the bar, on another monitor.
static LRESULT OnExitSizeMove(HWND window)
{
    EndBarDrag();
    FollowAutoHideMode(false);
    FollowBarDpi(WindowDpi(window));
    return 0;
}

// The work area moves when the taskbar or another app bar does; the DPI may change with a setting.
static LRESULT OnSettingChange(HWND window, WPARAM what)
{
    if (what == SPI_SETWORKAREA)
        FollowWorkArea();
    FollowBarDpi(WindowDpi(window));
    return 0;
}

static BOOL CALLBACK PassColourChange(HWND child, LPARAM)
{
    SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

// The system tells top-level windows only; the common controls among the bar's children (the
// toolbar) keep colours of their own until their window passes the notice on. Then the bar,
// its strips, toolbar and buttons are drawn again in the new colours, whatever caused the change
// (high contrast, a theme) and whether or not the system repaints.
static LRESULT OnSysColorChange(HWND window)
{
    EnumChildWindows(window, PassColourChange, 0);
    RecolourToolbar();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return 0;
}

LRESULT CALLBACK BarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_DESTROY:
        return OnDestroy();
    case WM_SIZE:
        FollowBarSize();
        return 0;
    case UM_REBUILD_PANEL:
        RebuildPanel();
        return 0;
    case UM_CHECK_TASKBAR:
        CheckTaskbarMargin();
        return 0;
    case WM_ENDSESSION:
        SavePlacement();
        return 0;
    case WM_DISPLAYCHANGE:
        FollowDisplayChange();
        FollowBarDpi(WindowDpi(window));
        return 0;
    case WM_SETTINGCHANGE:
        return OnSettingChange(window, wParam);
    case WM_DPICHANGED: // the new DPI, not the rectangle proposed: an edge's bar keeps its edge
        FollowBarDpi(LOWORD(wParam));
        return 0;
    case WM_COMMAND:
        return OnCommand(window, wParam, lParam);
    case WM_SYSCOLORCHANGE:
        return OnSysColorChange(window);
    case WM_TIMER:
        AutoHideTick();
        return 0;
    case WM_SETCURSOR: // never left to the default procedure, whatever the mode
        RevealBar();
        return 0;
    case WM_WINDOWPOSCHANGED:
        return OnWindowPosChanged(window, wParam, lParam);
    case WM_ACTIVATE:
        return OnActivate(window, wParam, lParam);
    case WM_GETMINMAXINFO: // the system's minimum would keep a floating bar wider than it is
        LimitFloatingTrackSize(reinterpret_cast<MINMAXINFO *>(lParam));
        return 0;
    case WM_ENTERSIZEMOVE:
        BeginBarDrag();
        return 0;
    case WM_MOVING:
        TrackBarDrag(reinterpret_cast<RECT *>(lParam));
        return TRUE;
    case WM_EXITSIZEMOVE:
        return OnExitSizeMove(window);
    case UM_LATE_INIT:
        return OnLateInit();
    case WM_HOTKEY:
        FollowHotKey();
        return 0;
    case WM_KEYDOWN:
        TakeBarKey(wParam);
        return 0;
    case UM_APPBAR_NOTIFY:
        return OnAppBarNotify(wParam, lParam);
    default:
        if (message == TaskbarCreated && TaskbarCreated != 0) {
            RejoinShell();
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
