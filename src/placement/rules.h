// The decisions of dragging, floating and auto-hide, as pure functions: which edge a point
// means, where the outline snaps, the floating bar's shape and its place on the screen, and
// whether a timer tick hides.
#pragma once

#include "placement/geometry.h"

const int kEdgeThreshold = 3;
const int kOpenScreen = -1;
const int kUndockOffsetX = 10;
const int kUndockOffsetY = 5;

// The dock edge a cursor position means on the work area of the monitor under the cursor, or
// kOpenScreen: within the threshold of a side, or beyond it. Top and bottom win over left and
// right in a corner.
int EdgeAtPoint(int x, int y, const Rect &work);

// Taken when a move or size loop starts: where the cursor holds the bar, and its size.
struct DragRecord {
    int offsetX, offsetY, width, height;
};

// The rectangle a move shows for a cursor position: a docked strip along the side of the work
// area under the cursor, else the bar's size held at the recorded offset.
Rect SnapRect(int x, int y, const Rect &work, const DragRecord &drag, int dpi = kBaseDpi);

// The floating bar keeps a fixed thickness and turns when made wider than tall or taller
// than wide.
struct FloatingShape {
    int edge, width, height;
};
FloatingShape NormalizeShape(int width, int height, int edge, int dpi = kBaseDpi);

// Inclusive on all four sides: the column right of the bar and the row below it count.
bool InsideInclusive(const Rect &r, int x, int y);

// The auto-hide count of ticks that found the cursor away from the bar.
struct HideCount {
    int ticks;
    int firstTick; // 1 until the first counted tick of the run
};

// Counts a tick that found the cursor outside; true when the bar is due to hide.
bool CountAwayTick(HideCount *count);

bool IsEmptyRect(const Rect &r);

// A window without a caption covering the whole of its monitor is a full-screen program (a
// presentation, a video, a game in a borderless window, a maximised pop-up), which the bar must
// not stand or come out over.
bool IsFullScreenOn(const Rect &window, const Rect &monitor, bool captioned);

// The monitor less the shell's taskbar, where the taskbar lies along one of its whole sides; a
// taskbar elsewhere (still where an earlier display mode had it, or on another monitor) takes
// nothing.
Rect WorkAreaBeside(Rect monitor, const Rect &taskbar);

// A shown top-level window, and whether it is one of the shell's taskbars.
struct ScreenWindow {
    Rect rect;
    bool taskbar;
};

// The usable part of a monitor. The system's work area of it, clipped with the monitor (the
// system may keep one of an earlier mode), where it is sound: a side of it short of the
// monitor's stands only where a window lies along that whole side of the monitor and reaches
// to it (a taskbar, an app bar), else the monitor's side is taken. Then less each taskbar that
// lies along a whole side (the main one and those of other monitors).
Rect UsableArea(const Rect &monitor, const Rect &systemWork, const ScreenWindow *windows,
                int count);

// Where a rectangle of this size (no side negative) at (left, top) lies wholly inside area,
// moved as little as possible; one larger than area keeps its left or top side on area's, where
// its caption and grip stay within reach.
Rect MoveInside(int left, int top, const Size &size, const Rect &area);
