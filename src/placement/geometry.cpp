#include "placement/geometry.h"

#include <climits>

static int Clamp(long long value)
{
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

// The bar's figures are a few hundred at most and a DPI is a 16-bit number: the product fits an
// int, and no 64-bit division is linked in for it.
int Scaled(int value, int dpi)
{
    const int product = value * dpi;
    return (product + (product < 0 ? -kBaseDpi / 2 : kBaseDpi / 2)) / kBaseDpi;
}

Rect RectAt(int left, int top, int width, int height)
{
    return Rect{left, top, Clamp(static_cast<long long>(left) + width),
                Clamp(static_cast<long long>(top) + height)};
}

int Span(int from, int to)
{
    return Clamp(static_cast<long long>(to) - from);
}

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

int AutoHideHeight(Rect granted, int edge, const Rect &taskbar, const Rect &monitor, int dpi)
{
    const int height = granted.bottom - granted.top;
    const int taskbarHeight = taskbar.bottom - taskbar.top;
    if (!IsVerticalEdge(edge) || taskbarHeight * 2 >= height || !HoldsMiddleOf(monitor, taskbar))
        return height;
    return height - taskbarHeight + Scaled(kAutoHideHeightAddend, dpi);
}

Size FloatingSize(int width, int height, int edge, int dpi)
{
    if (width != 0 && height != 0)
        return Size{width, height};
    const bool horizontal = edge == kEdgeTop || edge == kEdgeBottom;
    const int length = Scaled(kFloatingLength, dpi);
    return horizontal ? Size{length, Scaled(kFloatingHeight, dpi)}
                      : Size{Scaled(kFloatingWidth, dpi), length};
}

Rect SwapSides(Rect r)
{
    return RectAt(r.left, r.top, Span(r.top, r.bottom), Span(r.left, r.right));
}

int TaskbarMargin(bool floating, bool taskbarAutoHides, int dpi)
{
    return Scaled(!floating && taskbarAutoHides ? kTaskbarMarginHidden : kTaskbarMarginShown, dpi);
}
