// The monitors as the window system reports them at the moment of asking: screens are plugged,
// unplugged and given other modes while the bar runs, so nothing here is kept.
#pragma once

#include <windows.h>

#include "placement/geometry.h"

// The whole of the monitor under a point, or of the one nearest to it.
Rect MonitorNear(POINT p);

// The whole of the monitor that holds a point; the primary monitor where none does.
Rect MonitorHolding(POINT p);

// The whole of the monitor a rectangle lies on most, or nearest to it.
Rect MonitorUnder(const RECT &r);

// The device name of the monitor of this whole into name (CCHDEVICENAME characters), empty
// where none is there.
void NameMonitor(const Rect &monitor, char *name);

// The whole of the monitor that has this device name now; false when none has.
bool FindMonitorNamed(const char *name, Rect *found);

// Whether the foreground window is a full-screen program on the bar's monitor.
bool FullScreenProgramInFront();

// The usable part of the monitor (UsableArea) from the system's work area of it and the shown
// top-level windows but the bar's own, which stands in its own way nowhere. The system's work
// area can lag behind a change of display mode (Wine keeps each process's first one, and one
// computed from the taskbar's old place).
Rect WorkAreaOf(const Rect &monitor);
