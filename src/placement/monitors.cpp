#include "placement/monitors.h"

#include "placement/barwindow.h"
#include "placement/rules.h"
#include "placement/winrect.h"

static Rect WholeOf(HMONITOR handle)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(handle, &monitor);
    return ToRect(monitor.rcMonitor);
}

Rect MonitorNear(POINT p)
{
    return WholeOf(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST));
}

Rect MonitorHolding(POINT p)
{
    return WholeOf(MonitorFromPoint(p, MONITOR_DEFAULTTOPRIMARY));
}

Rect MonitorUnder(const RECT &r)
{
    return WholeOf(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST));
}

// The desktop covers the screen too (the system's window, the shell's, and the shell's worker
// windows that show it), and so may the bar's own windows; none of them is a full-screen
// program. A program full screen on another monitor leaves the bar's alone.
bool FullScreenProgramInFront()
{
    const HWND front = GetForegroundWindow();
    char className[16];
    if (!front || front == GetDesktopWindow() || front == GetShellWindow() || front == BarWindow ||
        GetAncestor(front, GA_ROOTOWNER) == BarWindow ||
        (GetClassNameA(front, className, sizeof className) && !lstrcmpA(className, "WorkerW")))
        return false;
    const HMONITOR screen = MonitorFromWindow(front, MONITOR_DEFAULTTONEAREST);
    RECT window;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    const bool captioned = (GetWindowLongA(front, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    return screen == MonitorFromWindow(BarWindow, MONITOR_DEFAULTTONEAREST) &&
           GetWindowRect(front, &window) && GetMonitorInfoA(screen, &monitor) &&
           IsFullScreenOn(ToRect(window), ToRect(monitor.rcMonitor), captioned);
}

void NameMonitor(const Rect &monitor, char *name)
{
    const RECT whole = ToRECT(monitor);
    MONITORINFOEXA info = {};
    info.cbSize = sizeof info;
    name[0] = '\0';
    if (GetMonitorInfoA(MonitorFromRect(&whole, MONITOR_DEFAULTTONULL), &info))
        lstrcpynA(name, info.szDevice, CCHDEVICENAME);
}

struct NamedMonitor {
    const char *name;
    Rect whole;
    bool found;
};

static BOOL CALLBACK MatchMonitorName(HMONITOR handle, HDC, RECT *, LPARAM lParam)
{
    NamedMonitor &sought = *reinterpret_cast<NamedMonitor *>(lParam);
    MONITORINFOEXA info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(handle, &info) && !lstrcmpiA(info.szDevice, sought.name)) {
        sought.whole = ToRect(info.rcMonitor);
        sought.found = true;
    }
    return !sought.found;
}

bool FindMonitorNamed(const char *name, Rect *found)
{
    NamedMonitor sought = {name, {}, false};
    if (name[0] != '\0')
        EnumDisplayMonitors(nullptr, nullptr, MatchMonitorName, reinterpret_cast<LPARAM>(&sought));
    *found = sought.whole;
    return sought.found;
}

// Enough for the windows a desktop shows; those further down the z-order than that are not
// looked at.
const int kWindowsLooked = 256;

struct ShownWindows {
    ScreenWindow found[kWindowsLooked];
    int count;
};

// Collects the shown top-level windows but the bar, marking the shell's taskbars: the main one
// and those Windows 8 and later give other monitors.
static BOOL CALLBACK TakeShownWindow(HWND window, LPARAM lParam)
{
    ShownWindows &shown = *reinterpret_cast<ShownWindows *>(lParam);
    RECT r;
    char name[32];
    if (window == BarWindow || !IsWindowVisible(window) || !GetWindowRect(window, &r))
        return TRUE;
    const bool taskbar =
        GetClassNameA(window, name, sizeof name) &&
        (!lstrcmpA(name, "Shell_TrayWnd") || !lstrcmpA(name, "Shell_SecondaryTrayWnd"));
    shown.found[shown.count++] = ScreenWindow{ToRect(r), taskbar};
    return shown.count < kWindowsLooked;
}

Rect WorkAreaOf(const Rect &monitor)
{
    ShownWindows shown;
    shown.count = 0;
    EnumWindows(TakeShownWindow, reinterpret_cast<LPARAM>(&shown));
    const RECT whole = ToRECT(monitor);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromRect(&whole, MONITOR_DEFAULTTONEAREST), &info);
    return UsableArea(monitor, ToRect(info.rcWork), shown.found, shown.count);
}
