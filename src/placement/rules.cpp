#include "placement/rules.h"

#include <climits>

static int Clamp(long long value)
{
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
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

int EdgeAtPoint(int x, int y, int workRight, int workBottom)
{
    if (y < kEdgeThreshold)
        return kEdgeTop;
    if (y > workBottom - kEdgeThreshold)
        return kEdgeBottom;
    if (x < kEdgeThreshold)
        return kEdgeLeft;
    if (x > workRight - kEdgeThreshold)
        return kEdgeRight;
    return kOpenScreen;
}

Rect SnapRect(int x, int y, int workRight, int workBottom, const DragRecord &drag)
{
    switch (EdgeAtPoint(x, y, workRight, workBottom)) {
    case kEdgeTop:
        return Rect{0, 0, workRight, kDockedThickness};
    case kEdgeBottom:
        return Rect{0, workBottom - kDockedThickness, workRight, workBottom};
    case kEdgeLeft:
        return Rect{0, 0, kDockedThickness, workBottom};
    case kEdgeRight:
        return Rect{workRight - kDockedThickness, 0, workRight, workBottom};
    default:
        return RectAt(x - drag.offsetX, y - drag.offsetY, drag.width, drag.height);
    }
}

FloatingShape NormalizeShape(int width, int height, int edge)
{
    if (width < height && (edge == kEdgeTop || edge == kEdgeBottom))
        edge = kEdgeLeft;
    if (height < width && IsVerticalEdge(edge)) {
        edge = kEdgeBottom;
        height = kFloatingHeight;
    } else if (edge == kEdgeTop || edge == kEdgeBottom) {
        height = kFloatingHeight;
    } else {
        width = kFloatingWidth;
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
