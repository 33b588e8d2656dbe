#include "shell/barwnd.h"

#include <objbase.h>

#include "dialogs/propsdlg.h"
#include "dialogs/settingsdlg.h"
#include "panel/fileicon.h"
#include "panel/launch.h"
#include "panel/launchbtn.h"
#include "panel/panel.h"
#include "panel/strips.h"
#include "panel/syslib.h"
#include "placement/appbar.h"
#include "placement/autohide.h"
#include "placement/barwindow.h"
#include "placement/floating.h"
#include "placement/geometry.h"
#include "res/resource.h"
#include "store/registry.h"
#include "store/settings.h"
#include "text/codepage.h"
#include "text/paths.h"

// Only when the program's own file name is too long to read whole does the current directory
// stand in for its folder; a program started from a system folder (Windows' own startup, say)
// cannot tell where it lives by that, and the folder stored by an earlier start is taken then.
static const char kSystemFolderMark[] = ":\\win";

static bool ReadCurrentDirectory(char *folder)
{
    folder[0] = '\0';
    const DWORD length = GetCurrentDirectoryA(kProgramFolderSize - 1, folder);
    return length > 0 && length < kProgramFolderSize - 1;
}

// The folder korimbel.exe lies in, whatever folder it was started from: the autostart entry
// and the help document must name files that are there.
static bool ReadOwnFolder(char *folder)
{
    char name[MAX_PATH];
    const DWORD length = GetModuleFileNameA(Instance, name, MAX_PATH);
    return length > 0 && length < MAX_PATH && FolderOf(name, folder, ActiveLeadBytes());
}

void ResolveProgramFolder()
{
    const bool own = ReadOwnFolder(ProgramFolder);
    if (!own && !ReadCurrentDirectory(ProgramFolder)) {
        ProgramFolder[0] = '\0';
        ReadString(HKEY_CURRENT_USER, kRootKey, kCurPathValue, ProgramFolder,
                   kProgramFolderSize - 1);
        return;
    }
    LowerCaseSingleBytes(ProgramFolder, ActiveLeadBytes());
    if (!own && FindSubstring(ProgramFolder, kSystemFolderMark, ActiveLeadBytes()))
        ReadString(HKEY_CURRENT_USER, kRootKey, kCurPathValue, ProgramFolder,
                   kProgramFolderSize - 1);
    else
        WriteString(HKEY_CURRENT_USER, kRootKey, kCurPathValue, ProgramFolder);
}

// The message the shell broadcasts when it starts again; registered by name, so not a constant.
static UINT TaskbarCreated;

static int ReadDockEdge()
{
    const int edge = ReadSetting(kAppBarMode);
    return IsDockEdge(edge) ? edge : kAppBarMode.fallback;
}

static void ReadBehaviourSettings()
{
    HideTime = ReadSetting(kHideTime);
    TimerSound = ReadSetting(kTimerSound);
    HideMode = ReadSetting(kHideMode);
    TopMode = ReadSetting(kTopMode);
}

// A floating flag other than 0 and 1 still floats the bar, and saving writes 1 back; an
// unknown dock edge gives way to the default, the right edge.
static void ReadPlacementSettings()
{
    StartExecFlg = ReadSetting(kStartExecFlg);
    MaxPage = ReadSetting(kMaxPage);
    AppBarMode = ReadDockEdge();
    MonitorX = ReadSetting(kMonitorX);
    MonitorY = ReadSetting(kMonitorY);
    FloatMode = ReadSetting(kFloatMode) != 0;
}

// COM for the shell, from before its first call to the bar's end: the shell extensions that open
// documents, draw icons and run the browse dialog need an apartment-threaded caller. Without its
// common controls the bar cannot stand: the window is not made.
static LRESULT OnCreate(HWND window)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (!LoadCommonControls())
        return -1;
    AttachBarWindow(window);
    SetSlotPropertiesOpener(OpenPropertiesDialog);
    LaunchLock = 0;
    ResetAutoHide();
    RememberFloatingStyle();
    ResolveProgramFolder();
    ReadBehaviourSettings();
    ApplyTopMode();
    ReadPlacementSettings();
    if (FloatMode != 0)
        RestoreFloatGeometry();
    else
        EnterDockedStyle();
    CreateCommandStrip(window);
    CreateCommandToolbar();
    CreateGripStrip(window);
    // The placement above laid the panel out before the strips existed.
    RebuildPanel();
    TaskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    PostMessageA(window, UM_LATE_INIT, 0, 0);
    return 0;
}

static LRESULT OnDestroy()
{
    StopAutoHideTimer();
    if (FloatMode == 0)
        RemoveAppBar(HideMode);
    SavePlacement();
    DestroyPanelTooltip();
    ForgetFileIcons();
    CoUninitialize();
    PostQuitMessage(0);
    return 0;
}

static LRESULT OnEndSession()
{
    SavePlacement();
    return 0;
}

static LRESULT OnLateInit()
{
    RunStartupSlots();
    StartAutoHideTimer();
    return 0;
}

static LRESULT OnSize()
{
    FollowBarSize();
    return 0;
}

static LRESULT OnRebuildPanel()
{
    RebuildPanel();
    return 0;
}

static LRESULT OnCheckTaskbar()
{
    CheckTaskbarMargin();
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

static LRESULT OnTaskbarCreated()
{
    RejoinShell();
    return 0;
}

static LRESULT OnDisplayChange()
{
    FollowDisplayChange();
    return 0;
}

static LRESULT OnActivate(HWND window, WPARAM wParam, LPARAM lParam)
{
    ReportToShell(ABM_ACTIVATE);
    return DefWindowProcA(window, WM_ACTIVATE, wParam, lParam);
}

static LRESULT OnTimer()
{
    AutoHideTick();
    return 0;
}

// Never left to the default procedure, whatever the mode.
static LRESULT OnSetCursor()
{
    RevealBar();
    return 0;
}

static LRESULT OnWindowPosChanged(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (FloatMode != 0)
        NormalizeFloatingBar();
    else
        ReportToShell(ABM_WINDOWPOSCHANGED);
    return DefWindowProcA(window, WM_WINDOWPOSCHANGED, wParam, lParam);
}

// The window system's minimum tracking size would keep a floating bar wider than its fixed
// thickness.
static LRESULT OnGetMinMaxInfo(LPARAM lParam)
{
    LimitFloatingTrackSize(reinterpret_cast<MINMAXINFO *>(lParam));
    return 0;
}

static LRESULT OnEnterSizeMove()
{
    BeginBarDrag();
    return 0;
}

static LRESULT OnMoving(LPARAM lParam)
{
    TrackBarDrag(reinterpret_cast<RECT *>(lParam));
    return TRUE;
}

// The drag may have floated or docked the bar.
static LRESULT OnExitSizeMove()
{
    EndBarDrag();
    FollowAutoHideMode(false);
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
        return OnSize();
    case UM_REBUILD_PANEL:
        return OnRebuildPanel();
    case UM_CHECK_TASKBAR:
        return OnCheckTaskbar();
    case WM_ENDSESSION:
        return OnEndSession();
    case WM_DISPLAYCHANGE:
        return OnDisplayChange();
    case WM_COMMAND:
        return OnCommand(window, wParam, lParam);
    case WM_TIMER:
        return OnTimer();
    case WM_SETCURSOR:
        return OnSetCursor();
    case WM_WINDOWPOSCHANGED:
        return OnWindowPosChanged(window, wParam, lParam);
    case WM_ACTIVATE:
        return OnActivate(window, wParam, lParam);
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(lParam);
    case WM_ENTERSIZEMOVE:
        return OnEnterSizeMove();
    case WM_MOVING:
        return OnMoving(lParam);
    case WM_EXITSIZEMOVE:
        return OnExitSizeMove();
    case UM_LATE_INIT:
        return OnLateInit();
    case UM_APPBAR_NOTIFY:
        return OnAppBarNotify(wParam, lParam);
    default:
        if (message == TaskbarCreated && TaskbarCreated != 0)
            return OnTaskbarCreated();
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
