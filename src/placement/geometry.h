// Placement arithmetic: dock edges, the docked strip, the auto-hide strip and the floating
// rectangle. Pure functions over screen rectangles (right and bottom exclusive).
#pragma once

struct Rect {
    int left, top, right, bottom;
};

inline bool operator==(const Rect &a, const Rect &b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Dock edges carry the shell's codes; 0 and 2 also mean a vertical floating bar.
enum DockEdge { kEdgeLeft = 0, kEdgeTop = 1, kEdgeRight = 2, kEdgeBottom = 3 };

// Every pixel figure of the bar is given at 96 DPI and drawn at the DPI of the bar's monitor.
const int kBaseDpi = 96;

// value (at most a few thousand) at dpi (at most 65535), rounded half away from zero as the
// system's MulDiv rounds.
int Scaled(int value, int dpi);

const int kDockedThickness = 29;
const int kAutoHideHeightAddend = 2;
const int kHiddenStripWidth = 2;
const int kFloatingWidth = 34;   // a vertical floating bar
const int kFloatingHeight = 51;  // a horizontal floating bar
const int kFloatingLength = 300; // when no floating size is stored
const int kTaskbarMarginHidden = 30;
const int kTaskbarMarginShown = 4;

// Sums and differences of coordinates stop at the limits of int rather than wrap: stored values
// may be anything. The rectangle of a size at a corner, its far sides clamped:
Rect RectAt(int left, int top, int width, int height);

// right - left (or bottom - top), clamped:
int Span(int from, int to);

bool IsDockEdge(int edge);
bool IsVerticalEdge(int edge);

// The strip of r, thickness across, along the side that lies on the screen edge: the docked
// bar cut from what the shell granted, or the hidden strip of an auto-hide bar.
Rect EdgeStrip(Rect r, int edge, int thickness);

// Height of a bar in auto-hide mode on its monitor. A vertical bar leaves room for the shell's
// taskbar, unless that taskbar is at least half as tall as the bar's strip (it stands on a side
// edge) or lies on another monitor, the one that holds its middle: then it takes nothing from the
// bar's length.
int AutoHideHeight(Rect granted, int edge, const Rect &taskbar, const Rect &monitor,
                   int dpi = kBaseDpi);

struct Size {
    int width, height;
};

// The floating bar's size from the stored one; a stored size with a 0 side gives way to the
// default shape of the bar's orientation.
Size FloatingSize(int width, int height, int edge, int dpi = kBaseDpi);

// A rectangle of the same top-left corner with width and height exchanged.
Rect SwapSides(Rect r);

// End margin of a vertical panel: room for the taskbar's pop-up while docked beside an
// auto-hiding taskbar.
int TaskbarMargin(bool floating, bool taskbarAutoHides, int dpi = kBaseDpi);
