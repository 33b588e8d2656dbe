#include "placement/rules.h"

#include <algorithm>
#include <climits>

int EdgeAtPoint(int x, int y, const Rect &work)
{
    if (y < work.top + kEdgeThreshold)
        return kEdgeTop;
    if (y > work.bottom - kEdgeThreshold)
        return kEdgeBottom;
    if (x < work.left + kEdgeThreshold)
        return kEdgeLeft;
    if (x > work.right - kEdgeThreshold)
        return kEdgeRight;
    return kOpenScreen;
}

Rect SnapRect(int x, int y, const Rect &work, const DragRecord &drag, int dpi)
{
    const int edge = EdgeAtPoint(x, y, work);
    if (edge == kOpenScreen)
        return RectAt(x - drag.offsetX, y - drag.offsetY, drag.width, drag.height);
    return EdgeStrip(work, edge, Scaled(kDockedThickness, dpi));
}

FloatingShape NormalizeShape(int width, int height, int edge, int dpi)
{
    const int thickness = Scaled(kFloatingWidth, dpi), horizontalThickness = Scaled(kFloatingHeight, dpi);
    if (width < height && (edge == kEdgeTop || edge == kEdgeBottom))
        edge = kEdgeLeft;
    if (height < width && IsVerticalEdge(edge)) {
        edge = kEdgeBottom;
        height = horizontalThickness;
    } else if (edge == kEdgeTop || edge == kEdgeBottom) {
        height = horizontalThickness;
    } else {
        width = thickness;
    }
    return FloatingShape{edge, width, height};
}

bool InsideInclusive(const Rect &r, int x, int y)
{
    return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom;
}

bool CountAwayTick(HideCount *count)
{
    if (count->ticks < INT_MAX)
        ++count->ticks;
    if (count->ticks > 1 || count->firstTick == 1) {
        count->firstTick = 0;
        return true;
    }
    return false;
}

bool IsEmptyRect(const Rect &r)
{
    return r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0;
}

bool IsFullScreenOn(const Rect &window, const Rect &monitor, bool captioned)
{
    return !captioned && window.left <= monitor.left && window.top <= monitor.top &&
           window.right >= monitor.right && window.bottom >= monitor.bottom;
}

// Along one axis of the monitor, [from, to): a taskbar at either end leaves out what it covers;
// one that does not reach into the span from one of its ends leaves out nothing.
static void LeaveOutEnd(int *from, int *to, int barFrom, int barTo)
{
    if (barTo >= *to && barFrom > *from && barFrom < *to)
        *to = barFrom;
    else if (barFrom <= *from && barTo > *from && barTo < *to)
        *from = barTo;
}

Rect WorkAreaBeside(Rect monitor, const Rect &taskbar)
{
    if (taskbar.left <= monitor.left && taskbar.right >= monitor.right)
        LeaveOutEnd(&monitor.top, &monitor.bottom, taskbar.top, taskbar.bottom);
    else if (taskbar.top <= monitor.top && taskbar.bottom >= monitor.bottom)
        LeaveOutEnd(&monitor.left, &monitor.right, taskbar.left, taskbar.right);
    return monitor;
}

// Whether window lies along the whole of the monitor's side of this edge and reaches the area.
static bool FillsSide(const Rect &w, const Rect &monitor, const Rect &area, int edge)
{
    if (IsVerticalEdge(edge) && (w.top > monitor.top || w.bottom < monitor.bottom))
        return false;
    if (!IsVerticalEdge(edge) && (w.left > monitor.left || w.right < monitor.right))
        return false;
    switch (edge) {
    case kEdgeLeft:
        return w.left <= monitor.left && w.right >= area.left;
    case kEdgeTop:
        return w.top <= monitor.top && w.bottom >= area.top;
    case kEdgeRight:
        return w.right >= monitor.right && w.left <= area.right;
    default:
        return w.bottom >= monitor.bottom && w.top <= area.bottom;
    }
}

static bool SideFilled(const Rect &monitor, const Rect &area, int edge, const ScreenWindow *windows,
                       int count)
{
    for (int i = 0; i < count; ++i)
        if (FillsSide(windows[i].rect, monitor, area, edge))
            return true;
    return false;
}

Rect UsableArea(const Rect &monitor, const Rect &systemWork, const ScreenWindow *windows, int count)
{
    Rect area = {std::max(monitor.left, systemWork.left), std::max(monitor.top, systemWork.top),
                 std::min(monitor.right, systemWork.right),
                 std::min(monitor.bottom, systemWork.bottom)};
    if (area.left >= area.right || area.top >= area.bottom)
        area = monitor;
    const Rect clipped = area;
    if (clipped.left > monitor.left && !SideFilled(monitor, clipped, kEdgeLeft, windows, count))
        area.left = monitor.left;
    if (clipped.top > monitor.top && !SideFilled(monitor, clipped, kEdgeTop, windows, count))
        area.top = monitor.top;
    if (clipped.right < monitor.right && !SideFilled(monitor, clipped, kEdgeRight, windows, count))
        area.right = monitor.right;
    if (clipped.bottom < monitor.bottom &&
        !SideFilled(monitor, clipped, kEdgeBottom, windows, count))
        area.bottom = monitor.bottom;
    for (int i = 0; i < count; ++i)
        if (windows[i].taskbar)
            area = WorkAreaBeside(area, windows[i].rect);
    return area;
}

// The start of a span of this length that lies inside [from, to], nearest to start; a span
// longer than that starts at from.
static int StartInside(int start, int length, int from, int to)
{
    const int last = Span(length, to);
    if (start > last)
        return last < from ? from : last;
    return start < from ? from : start;
}

Rect MoveInside(int left, int top, const Size &size, const Rect &area)
{
    return RectAt(StartInside(left, size.width, area.left, area.right),
                  StartInside(top, size.height, area.top, area.bottom), size.width, size.height);
}
