// The bar's arithmetic over screen rectangles, slots and pages. Stored settings may be any int,
// so the functions that take them must stay defined (UBSan watches) and keep their promises
// over the whole range; client areas are what Windows gives, up to 16 bits.
#include <climits>

#include <fuzzer/FuzzedDataProvider.h>

#include "harness.h"
#include "panel/layout.h"
#include "placement/rules.h"

namespace
{

// Span measures back what RectAt laid out, unless the far side had to stop at a limit of int in
// the direction the size points.
void CheckRectAt(FuzzedDataProvider &in)
{
    const int left = in.ConsumeIntegral<int>();
    const int top = in.ConsumeIntegral<int>();
    const int width = in.ConsumeIntegral<int>();
    const int height = in.ConsumeIntegral<int>();
    const Rect r = RectAt(left, top, width, height);
    Require(r.left == left && r.top == top, "RectAt keeps the corner");
    const int widthLimit = width < 0 ? INT_MIN : INT_MAX;
    const int heightLimit = height < 0 ? INT_MIN : INT_MAX;
    Require(Span(r.left, r.right) == width || r.right == widthLimit, "Span gives back the width");
    Require(Span(r.top, r.bottom) == height || r.bottom == heightLimit,
            "Span gives back the height");
}

void CheckSlots(FuzzedDataProvider &in)
{
    const int page = in.ConsumeIntegral<int>();
    const int perPage = in.ConsumeIntegral<int>();
    const int index = in.ConsumeIntegral<int>();
    Require(SlotIndex(SlotNumber(page, perPage, index), page, perPage) == index,
            "a button's slot leads back to the button");
}

void CheckPages(FuzzedDataProvider &in)
{
    const int maxPage = in.ConsumeIntegralInRange<int>(0, INT_MAX);
    const int page = in.ConsumeIntegralInRange<int>(0, maxPage);
    const int next = NextPage(page, maxPage);
    const int previous = PreviousPage(page, maxPage);
    Require(next >= 0 && next <= maxPage && previous >= 0 && previous <= maxPage,
            "turning pages stays among the pages");
    Require(PreviousPage(next, maxPage) == page && NextPage(previous, maxPage) == page,
            "a page turned forth and back is the page it was");
    // A stored page out of range turns without overflowing, wherever it lands.
    const int stored = in.ConsumeIntegral<int>();
    NextPage(stored, maxPage);
    PreviousPage(stored, maxPage);
}

void CheckAwayTicks(FuzzedDataProvider &in)
{
    HideCount count{in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>()};
    for (int tick = 0; tick < 3; ++tick) {
        const int before = count.ticks;
        const bool hide = CountAwayTick(&count);
        Require(count.ticks >= before, "the away count never goes down, nor wraps");
        Require(hide || count.ticks <= 1, "a bar away for more than one tick hides");
    }
}

// A work area as a monitor may have one, anywhere in the window system's 16-bit range.
Rect AnyWorkArea(FuzzedDataProvider &in)
{
    const int left = in.ConsumeIntegralInRange<int>(-0x8000, 0x7FFF);
    const int top = in.ConsumeIntegralInRange<int>(-0x8000, 0x7FFF);
    return Rect{left, top, left + in.ConsumeIntegralInRange<int>(0, 0xFFFF),
                top + in.ConsumeIntegralInRange<int>(0, 0xFFFF)};
}

// A stored floating rectangle, any int at all, comes onto any work area a monitor may have:
// inside it with its size kept where it fits, else starting on it.
void CheckFitting(FuzzedDataProvider &in)
{
    const Rect work = AnyWorkArea(in);
    const Size size = {in.ConsumeIntegralInRange<int>(0, INT_MAX),
                       in.ConsumeIntegralInRange<int>(0, INT_MAX)};
    const Rect r = MoveInside(in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(), size, work);
    const bool across = size.width <= work.right - work.left
                            ? r.left >= work.left && r.right == r.left + size.width &&
                                  r.right <= work.right
                            : r.left == work.left;
    const bool down = size.height <= work.bottom - work.top
                          ? r.top >= work.top && r.bottom == r.top + size.height &&
                                r.bottom <= work.bottom
                          : r.top == work.top;
    Require(across && down, "a bar comes onto the work area, its size kept where it fits");
}

// On any monitor, a cursor near a side shows the docked strip along that side of its work area;
// anywhere else the bar's stored size, any int at all, held at the cursor.
void CheckSnapping(FuzzedDataProvider &in)
{
    const Rect work = AnyWorkArea(in);
    const int x = in.ConsumeIntegralInRange<int>(work.left - 0x10000, work.right + 0x10000);
    const int y = in.ConsumeIntegralInRange<int>(work.top - 0x10000, work.bottom + 0x10000);
    const DragRecord drag = {kUndockOffsetX, kUndockOffsetY, in.ConsumeIntegral<int>(),
                             in.ConsumeIntegral<int>()};
    const int edge = EdgeAtPoint(x, y, work);
    const Rect r = SnapRect(x, y, work, drag);
    if (edge == kOpenScreen) {
        Require(r.left == x - kUndockOffsetX && r.top == y - kUndockOffsetY,
                "in the open the bar is held at the offset");
        return;
    }
    const bool onSide = edge == kEdgeLeft    ? r.left == work.left
                        : edge == kEdgeTop   ? r.top == work.top
                        : edge == kEdgeRight ? r.right == work.right
                                             : r.bottom == work.bottom;
    const bool thick =
        IsVerticalEdge(edge)
            ? r.right - r.left == kDockedThickness && r.top == work.top && r.bottom == work.bottom
            : r.bottom - r.top == kDockedThickness && r.left == work.left && r.right == work.right;
    Require(onSide && thick, "a docked strip lies along the side of the work area it docks to");
}

// Every button of a page lies inside the panel, along the bar.
void CheckButtonsFit(int edge, int count, const Box &panel)
{
    for (int index = 0; index < count; ++index) {
        int x = 0;
        int y = 0;
        ButtonOrigin(edge, index, &x, &y);
        const bool inside = IsVerticalEdge(edge) ? y + kButtonHeight <= panel.height
                                                 : x + kButtonWidth <= panel.width;
        Require(x >= 0 && y >= 0 && inside, "a button lies inside the panel");
    }
}

void CheckPanel(FuzzedDataProvider &in)
{
    const int edge = in.ConsumeIntegralInRange<int>(-1, 4);
    const int width = in.ConsumeIntegralInRange<int>(0, 0xFFFF);
    const int height = in.ConsumeIntegralInRange<int>(0, 0xFFFF);
    const bool floating = in.ConsumeBool();
    const int margin = TaskbarMargin(floating, in.ConsumeBool());
    PanelLayout layout{};
    const bool laidOut = LayOutPanel(edge, width, height, kCommandStripSize, &layout);
    Require(laidOut == IsDockEdge(edge), "every dock edge, and only those, has a layout");
    // Two different counts to keep tell a count that was kept from one that was worked out.
    const int count = ButtonCount(edge, width, height, kCommandStripSize, margin, -1);
    if (!laidOut || count != ButtonCount(edge, width, height, kCommandStripSize, margin, -2))
        return;
    Require(count >= 0 && count <= kMaxButtons, "a page holds at most kMaxButtons buttons");
    CheckButtonsFit(edge, count, layout.panel);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    CheckRectAt(in);
    CheckSlots(in);
    CheckPages(in);
    CheckAwayTicks(in);
    CheckPanel(in);
    CheckFitting(in);
    CheckSnapping(in);
    return 0;
}
