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

Rect WorkAreaOf(const Rect &monitor)
{
    RECT taskbar = {};
    GetWindowRect(TaskbarWindow(), &taskbar);
    return WorkAreaBeside(monitor, ToRect(taskbar));
}
