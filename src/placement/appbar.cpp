#include "placement/appbar.h"

#include "placement/autohide.h"
#include "placement/barwindow.h"
#include "placement/monitors.h"
#include "placement/winrect.h"
#include "res/resource.h"
#include "store/settings.h"

static_assert(sizeof(APPBARDATA) == 36, "the shell expects the 32-bit app-bar record");

static APPBARDATA AppBar;
static Rect Taskbar;
// From ABM_NEW to ABM_REMOVE: the shell knows the bar.
static bool Registered;
static AppBarObserver Observer;
// While a full-screen program is in front, by the shell's notice or as the foreground changed.
static bool BehindProgram;
// Windows tells of a new foreground window, and of the focus it takes; some window systems
// (Wine) of the focus only.
static const DWORD kForegroundEvents[] = {EVENT_SYSTEM_FOREGROUND, EVENT_OBJECT_FOCUS};
static HWINEVENTHOOK ForegroundHooks[2];

void ObserveAppBarMessages(AppBarObserver observer)
{
    Observer = observer;
}

static UINT_PTR SendToShell(DWORD message, APPBARDATA *data)
{
    const UINT_PTR result = SHAppBarMessage(message, data);
    if (Observer)
        Observer(message, *data);
    return result;
}

void RegisterAppBar(int hideMode)
{
    AppBar.cbSize = sizeof AppBar;
    AppBar.hWnd = BarWindow;
    AppBar.uCallbackMessage = UM_APPBAR_NOTIFY;
    if (hideMode == 0) {
        SendToShell(ABM_NEW, &AppBar);
        Registered = true;
    } else {
        SendToShell(ABM_GETTASKBARPOS, &AppBar);
        Taskbar = ToRect(AppBar.rc);
    }
    PositionAppBar(Settings.AppBarMode);
}

void RemoveAppBar(int hideMode)
{
    if (hideMode == 0) {
        SendToShell(ABM_REMOVE, &AppBar);
        Registered = false;
    }
}

void ReportToShell(DWORD message)
{
    if (Registered)
        SendToShell(message, &AppBar);
}

void RejoinShell()
{
    if (Settings.FloatMode != 0)
        return;
    RegisterAppBar(Settings.HideMode);
    KeepHiddenBarHidden();
}

void ReadTaskbarAgain()
{
    if (Settings.FloatMode != 0 || Settings.HideMode == 0)
        return;
    RegisterAppBar(Settings.HideMode);
    KeepHiddenBarHidden();
}

void DockOnNewScreen()
{
    PositionAppBar(Settings.AppBarMode);
    KeepHiddenBarHidden();
}

// The shell does not manage a floating bar; a notification that still reaches it turns it.
static void TurnFloatingBar()
{
    RECT r;
    GetWindowRect(BarWindow, &r);
    MoveBarTo(ToRECT(SwapSides(ToRect(r))));
}

void PositionAppBar(int edge)
{
    if (Settings.FloatMode != 0) {
        if (IsDockEdge(edge))
            TurnFloatingBar();
        return;
    }
    AppBar.uEdge = edge;
    Rect monitor;
    if (FindMonitorNamed(Settings.MonitorName, &monitor)) {
        Settings.MonitorX = monitor.left;
        Settings.MonitorY = monitor.top;
    } else {
        monitor = MonitorHolding(POINT{Settings.MonitorX, Settings.MonitorY});
    }
    AppBar.rc = ToRECT(monitor);
    SendToShell(ABM_QUERYPOS, &AppBar);
    AppBar.rc = ToRECT(EdgeStrip(ToRect(AppBar.rc), edge, BarScaled(kDockedThickness)));
    SendToShell(ABM_SETPOS, &AppBar);
    if (Settings.HideMode == 0) {
        MoveBarTo(AppBar.rc);
        return;
    }
    RECT shown = AppBar.rc;
    shown.bottom =
        shown.top + AutoHideHeight(ToRect(AppBar.rc), edge, Taskbar, monitor, BarDpi());
    MoveBarTo(shown);
    RecordAutoHideRects(edge);
}

// A bar not yet shown is shown by its start, once it is whole.
void EnterDockedStyle()
{
    const UINT show = IsWindowVisible(BarWindow) ? SWP_SHOWWINDOW : 0;
    const LONG style = GetWindowLongA(BarWindow, GWL_STYLE);
    SetWindowLongA(BarWindow, GWL_STYLE,
                   (style & ~(WS_DLGFRAME | WS_THICKFRAME)) | WS_BORDER | WS_SYSMENU);
    SetWindowPos(BarWindow, HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE);
    RegisterAppBar(Settings.HideMode);
    SetWindowPos(BarWindow, TopBand(), 0, 0, 0, 0, show | SWP_NOMOVE | SWP_NOSIZE);
}

// Taking the band again when a full-screen program ends must leave the focus where it is.
void ApplyTopMode()
{
    SetWindowPos(BarWindow, TopBand(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void SwitchHideMode(int previousHideMode)
{
    RemoveAppBar(previousHideMode);
    RegisterAppBar(Settings.HideMode);
}

int QueryTaskbarMargin()
{
    if (Settings.FloatMode != 0)
        return TaskbarMargin(true, false, BarDpi());
    APPBARDATA taskbar = {};
    taskbar.cbSize = sizeof taskbar;
    taskbar.hWnd = TaskbarWindow();
    const UINT_PTR state = SendToShell(ABM_GETSTATE, &taskbar);
    return TaskbarMargin(false, (state & ABS_AUTOHIDE) != 0, BarDpi());
}

// Only a topmost bar stands over a full-screen program: it goes behind it, neither moving nor
// taking the focus from it, and takes its band again when the program has left full screen.
static void FollowFullScreenProgram(bool opened)
{
    if (opened == BehindProgram)
        return;
    BehindProgram = opened;
    if (Settings.TopMode != 1)
        return;
    if (opened)
        SetWindowPos(BarWindow, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    else
        ApplyTopMode();
}

// The shell does not tell of every full-screen program (a borderless window, a maximised
// pop-up), nor an auto-hiding bar, which it does not know, of any.
static void CALLBACK OnForegroundChange(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD)
{
    if (Settings.FloatMode == 0)
        FollowFullScreenProgram(FullScreenProgramInFront());
}

void StartFollowingForeground()
{
    BehindProgram = false;
    for (int i = 0; i < 2; ++i)
        ForegroundHooks[i] = SetWinEventHook(kForegroundEvents[i], kForegroundEvents[i], nullptr,
                                             OnForegroundChange, 0, 0, WINEVENT_OUTOFCONTEXT);
}

void StopFollowingForeground()
{
    for (HWINEVENTHOOK &hook : ForegroundHooks) {
        if (hook)
            UnhookWinEvent(hook);
        hook = nullptr;
    }
}

void HandleAppBarNotify(WPARAM code, LPARAM lParam)
{
    if (code == ABN_POSCHANGED)
        PositionAppBar(Settings.AppBarMode);
    else if (code == ABN_FULLSCREENAPP)
        FollowFullScreenProgram(lParam != 0);
}
