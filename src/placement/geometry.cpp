#include "placement/geometry.h"

bool IsDockEdge(int edge)
{
    return edge >= kEdgeLeft && edge <= kEdgeBottom;
}

bool IsVerticalEdge(int edge)
{
    return edge == kEdgeLeft || edge == kEdgeRight;
}

Rect EdgeStrip(Rect r, int edge, int thickness)
{
    switch (edge) {
    case kEdgeLeft:
        r.right = r.left + thickness;
        break;
    case kEdgeTop:
        r.bottom = r.top + thickness;
        break;
    case kEdgeRight:
        r.left = r.right - thickness;
        break;
    case kEdgeBottom:
        r.top = r.bottom - thickness;
        break;
    }
    return r;
}

// Half-open, as the window system counts: the right column and the bottom row belong to the next
// monitor.
static bool HoldsMiddleOf(const Rect &monitor, const Rect &r)
{
    const long long x = (static_cast<long long>(r.left) + r.right) / 2;
    const long long y = (static_cast<long long>(r.top) + r.bottom) / 2;
    return monitor.left <= x && x < monitor.right && monitor.top <= y && y < monitor.bottom;
}

int AutoHideHeight(Rect granted, int edge, const Rect &taskbar, const Rect &monitor)
{
    const int height = granted.bottom - granted.top;
    const int taskbarHeight = taskbar.bottom - taskbar.top;
    if (!IsVerticalEdge(edge) || taskbarHeight * 2 >= height || !HoldsMiddleOf(monitor, taskbar))
        return height;
    return height - taskbarHeight + kAutoHideHeightAddend;
}

Size FloatingSize(int width, int height, int edge)
{
    if (width != 0 && height != 0)
        return Size{width, height};
    const bool horizontal = edge == kEdgeTop || edge == kEdgeBottom;
    return horizontal ? Size{kFloatingLength, kFloatingHeight}
                      : Size{kFloatingWidth, kFloatingLength};
}

// Window rectangles come from the system and stay far from the limits of int; the wrap-around
// sum only keeps arithmetic on them defined.
static int Sum(int a, int b)
{
    return static_cast<int>(static_cast<unsigned>(a) + static_cast<unsigned>(b));
}

static int Difference(int a, int b)
{
    return static_cast<int>(static_cast<unsigned>(a) - static_cast<unsigned>(b));
}

Rect SwapSides(Rect r)
{
    return Rect{r.left, r.top, Sum(r.left, Difference(r.bottom, r.top)),
                Sum(r.top, Difference(r.right, r.left))};
}

int TaskbarMargin(bool floating, bool taskbarAutoHides)
{
    return !floating && taskbarAutoHides ? kTaskbarMarginHidden : kTaskbarMarginShown;
}
