#include "placement/rules.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{

// The work area of the test desktop: the taskbar takes the bottom 20 pixels.
const int kRight = 1024;
const int kBottom = 748;
const Rect kWork = {0, 0, kRight, kBottom};

// Monitors around a primary of 1024 x 768: a smaller one beside it on the right, with a hole
// below it; one on its left and one above it, where coordinates are negative; a larger one below.
const Rect kPrimary = {0, 0, 1024, 768};
const Rect kRightOfIt = {1024, 0, 1824, 600};
const Rect kLeftOfIt = {-800, 0, 0, 600};
const Rect kAboveIt = {0, -768, 1024, 0};
const Rect kBelowIt = {-128, 768, 1152, 1792};

TEST(EdgeAtPoint, ThreePixelsFromAnEdgeDock)
{
    EXPECT_EQ(EdgeAtPoint(500, 2, kWork), kEdgeTop);
    EXPECT_EQ(EdgeAtPoint(500, 746, kWork), kEdgeBottom);
    EXPECT_EQ(EdgeAtPoint(2, 300, kWork), kEdgeLeft);
    EXPECT_EQ(EdgeAtPoint(1022, 300, kWork), kEdgeRight);
}

TEST(EdgeAtPoint, CornersGoToTopAndBottom)
{
    EXPECT_EQ(EdgeAtPoint(1, 1, kWork), kEdgeTop);
    EXPECT_EQ(EdgeAtPoint(1, kBottom - 1, kWork), kEdgeBottom);
    EXPECT_EQ(EdgeAtPoint(1023, 0, kWork), kEdgeTop);
}

TEST(EdgeAtPoint, TheThresholdItselfIsOpenScreen)
{
    EXPECT_EQ(EdgeAtPoint(500, 3, kWork), kOpenScreen);
    EXPECT_EQ(EdgeAtPoint(3, 300, kWork), kOpenScreen);
    EXPECT_EQ(EdgeAtPoint(500, kBottom - 3, kWork), kOpenScreen);
    EXPECT_EQ(EdgeAtPoint(kRight - 3, 300, kWork), kOpenScreen);
    EXPECT_EQ(EdgeAtPoint(kRight - 2, 300, kWork), kEdgeRight);
}

// Each monitor has its four edges; where two meet, the cursor's monitor decides which one.
TEST(EdgeAtPoint, EveryEdgeOfEveryMonitorDocks)
{
    EXPECT_EQ(EdgeAtPoint(1023, 300, kPrimary), kEdgeRight);
    EXPECT_EQ(EdgeAtPoint(1024, 300, kRightOfIt), kEdgeLeft);
    EXPECT_EQ(EdgeAtPoint(1026, 300, kRightOfIt), kEdgeLeft);
    EXPECT_EQ(EdgeAtPoint(1027, 300, kRightOfIt), kOpenScreen);
    EXPECT_EQ(EdgeAtPoint(1500, 598, kRightOfIt), kEdgeBottom);
    EXPECT_EQ(EdgeAtPoint(1500, 597, kRightOfIt), kOpenScreen);
    EXPECT_EQ(EdgeAtPoint(1500, 700, kRightOfIt), kEdgeBottom); // the hole below it is nearest
    EXPECT_EQ(EdgeAtPoint(1822, 2, kRightOfIt), kEdgeTop);
    EXPECT_EQ(EdgeAtPoint(-798, 300, kLeftOfIt), kEdgeLeft);
    EXPECT_EQ(EdgeAtPoint(-2, 300, kLeftOfIt), kEdgeRight);
    EXPECT_EQ(EdgeAtPoint(-3, 300, kLeftOfIt), kOpenScreen);
    EXPECT_EQ(EdgeAtPoint(500, -766, kAboveIt), kEdgeTop);
    EXPECT_EQ(EdgeAtPoint(500, -2, kAboveIt), kEdgeBottom);
    EXPECT_EQ(EdgeAtPoint(500, -3, kAboveIt), kOpenScreen);
    EXPECT_EQ(EdgeAtPoint(500, 770, kBelowIt), kEdgeTop);
    EXPECT_EQ(EdgeAtPoint(-127, 1000, kBelowIt), kEdgeLeft);
    EXPECT_EQ(EdgeAtPoint(1150, 1000, kBelowIt), kEdgeRight);
}

TEST(SnapRect, AStripAlongTheEdgeUnderTheCursor)
{
    const DragRecord drag = {10, 5, 34, 300};
    EXPECT_EQ(SnapRect(500, 1, kWork, drag), (Rect{0, 0, 1024, 29}));
    EXPECT_EQ(SnapRect(500, 747, kWork, drag), (Rect{0, 719, 1024, 748}));
    EXPECT_EQ(SnapRect(0, 300, kWork, drag), (Rect{0, 0, 29, 748}));
    EXPECT_EQ(SnapRect(1023, 300, kWork, drag), (Rect{995, 0, 1024, 748}));
}

TEST(SnapRect, OnOtherMonitorsTheStripLiesOnTheirEdges)
{
    const DragRecord drag = {10, 5, 34, 300};
    EXPECT_EQ(SnapRect(1500, 1, kRightOfIt, drag), (Rect{1024, 0, 1824, 29}));
    EXPECT_EQ(SnapRect(1025, 300, kRightOfIt, drag), (Rect{1024, 0, 1053, 600}));
    EXPECT_EQ(SnapRect(1600, 650, kRightOfIt, drag), (Rect{1024, 571, 1824, 600}));
    EXPECT_EQ(SnapRect(-1, 300, kLeftOfIt, drag), (Rect{-29, 0, 0, 600}));
    EXPECT_EQ(SnapRect(-800, 300, kLeftOfIt, drag), (Rect{-800, 0, -771, 600}));
    EXPECT_EQ(SnapRect(500, -1, kAboveIt, drag), (Rect{0, -29, 1024, 0}));
    EXPECT_EQ(SnapRect(500, 1791, kBelowIt, drag), (Rect{-128, 1763, 1152, 1792}));
    EXPECT_EQ(SnapRect(-400, 300, kLeftOfIt, drag), (Rect{-410, 295, -376, 595}));
}

TEST(SnapRect, InTheOpenTheBarFollowsTheCursorAtItsOffset)
{
    EXPECT_EQ(SnapRect(500, 300, kWork, (DragRecord{10, 5, 34, 300})), (Rect{490, 295, 524, 595}));
    // A docked bar that never floated has no stored size: an empty outline at cursor - (10, 5).
    EXPECT_EQ(SnapRect(500, 300, kWork, (DragRecord{10, 5, 0, 0})), (Rect{490, 295, 490, 295}));
    EXPECT_EQ(SnapRect(500, 300, kWork, (DragRecord{10, 5, INT_MAX, INT_MAX})).right, INT_MAX);
}

TEST(NormalizeShape, AVerticalBarMadeWiderThanTallTurnsHorizontal)
{
    const FloatingShape s = NormalizeShape(400, 300, kEdgeRight);
    EXPECT_EQ(s.edge, kEdgeBottom);
    EXPECT_EQ(s.width, 400);
    EXPECT_EQ(s.height, 51);
}

TEST(NormalizeShape, AHorizontalBarMadeTallerThanWideTurnsVertical)
{
    const FloatingShape s = NormalizeShape(200, 300, kEdgeTop);
    EXPECT_EQ(s.edge, kEdgeLeft);
    EXPECT_EQ(s.width, 34);
    EXPECT_EQ(s.height, 300);
}

TEST(NormalizeShape, ThicknessIsFixedAndASquareKeepsItsOrientation)
{
    FloatingShape s = NormalizeShape(112, 300, kEdgeLeft);
    EXPECT_EQ(s.edge, kEdgeLeft);
    EXPECT_EQ(s.width, 34);
    s = NormalizeShape(300, 90, kEdgeBottom);
    EXPECT_EQ(s.edge, kEdgeBottom);
    EXPECT_EQ(s.height, 51);
    s = NormalizeShape(100, 100, kEdgeRight);
    EXPECT_EQ(s.edge, kEdgeRight);
    EXPECT_EQ(s.width, 34);
    s = NormalizeShape(100, 100, kEdgeTop);
    EXPECT_EQ(s.edge, kEdgeTop);
    EXPECT_EQ(s.height, 51);
}

TEST(InsideInclusive, TheRightColumnAndBottomRowCount)
{
    const Rect shown = {995, 0, 1024, 740};
    EXPECT_TRUE(InsideInclusive(shown, 1024, 740));
    EXPECT_TRUE(InsideInclusive(shown, 995, 0));
    EXPECT_FALSE(InsideInclusive(shown, 994, 10));
    EXPECT_FALSE(InsideInclusive(shown, 1000, 741));
}

TEST(CountAwayTick, TheFirstCountedTickOfTheRunHidesAtOnce)
{
    HideCount count = {0, 1};
    EXPECT_TRUE(CountAwayTick(&count));
    EXPECT_EQ(count.firstTick, 0);
    count.ticks = 0; // the cursor came back
    EXPECT_FALSE(CountAwayTick(&count));
    EXPECT_TRUE(CountAwayTick(&count));
    EXPECT_EQ(count.ticks, 2);
}

TEST(CountAwayTick, TheCountSaturates)
{
    HideCount count = {INT_MAX, 0};
    EXPECT_TRUE(CountAwayTick(&count));
    EXPECT_EQ(count.ticks, INT_MAX);
}

TEST(RectAt, FarSidesAreClamped)
{
    EXPECT_EQ(RectAt(10, 20, 30, 40), (Rect{10, 20, 40, 60}));
    EXPECT_EQ(RectAt(5, INT_MIN, INT_MAX, -1).right, INT_MAX);
    EXPECT_EQ(RectAt(-5, INT_MIN, INT_MAX, -1).bottom, INT_MIN);
    EXPECT_EQ(Span(-5, INT_MAX), INT_MAX);
    EXPECT_EQ(Span(10, 40), 30);
}

TEST(IsFullScreenOn, ACaptionlessWindowOverTheWholeMonitor)
{
    const Rect monitor = {0, 0, 1024, 768};
    EXPECT_TRUE(IsFullScreenOn(monitor, monitor, false));
    EXPECT_TRUE(IsFullScreenOn((Rect{-8, -8, 1032, 776}), monitor, false)); // a maximised pop-up
    EXPECT_FALSE(IsFullScreenOn((Rect{-8, -8, 1032, 776}), monitor, true)); // with its caption
    EXPECT_FALSE(IsFullScreenOn((Rect{0, 0, 1024, 748}), monitor, false));
}

TEST(WorkAreaBeside, OnlyATaskbarAlongAWholeSideIsLeftOut)
{
    const Rect monitor = {0, 0, 1024, 768};
    EXPECT_EQ(WorkAreaBeside(monitor, (Rect{0, 748, 1024, 768})), (Rect{0, 0, 1024, 748}));
    EXPECT_EQ(WorkAreaBeside(monitor, (Rect{-2, -2, 1026, 30})), (Rect{0, 30, 1024, 768}));
    EXPECT_EQ(WorkAreaBeside(monitor, (Rect{0, 0, 60, 768})), (Rect{60, 0, 1024, 768}));
    EXPECT_EQ(WorkAreaBeside(monitor, (Rect{964, 0, 1024, 768})), (Rect{0, 0, 964, 768}));
    // Where the 800 x 600 mode had it, after the change back; hidden; on another monitor.
    EXPECT_EQ(WorkAreaBeside(monitor, (Rect{0, 580, 800, 600})), monitor);
    EXPECT_EQ(WorkAreaBeside(monitor, (Rect{0, 0, 0, 0})), monitor);
    EXPECT_EQ(WorkAreaBeside(monitor, (Rect{-1024, 748, 0, 768})), monitor);
}

TEST(UsableArea, TheSystemsWhereWindowsAlongTheSidesExplainItClippedLessTheTaskbars)
{
    // The taskbar, an app bar docked on the left, a second taskbar on top, one on another monitor.
    const ScreenWindow shown[] = {{{0, 748, 1024, 768}, true},
                                  {{0, 0, 40, 768}, false},
                                  {{0, 0, 1024, 30}, true},
                                  {{1024, 0, 1824, 40}, true}};
    const Rect monitor = {0, 0, 1024, 768};
    EXPECT_EQ(UsableArea(monitor, Rect{40, 0, 1024, 748}, shown, 2), (Rect{40, 0, 1024, 748}));
    EXPECT_EQ(UsableArea(monitor, Rect{0, 0, 1024, 748}, shown, 2), (Rect{0, 0, 1024, 748}));
    EXPECT_EQ(UsableArea(monitor, Rect{0, 0, 1024, 580}, shown, 1),
              (Rect{0, 0, 1024, 748})); // stale
    EXPECT_EQ(UsableArea(monitor, Rect{-800, 0, 0, 600}, shown, 1), (Rect{0, 0, 1024, 748}));
    EXPECT_EQ(UsableArea(monitor, Rect{0, 0, 1024, 748}, shown, 4), (Rect{0, 30, 1024, 748}));
    EXPECT_EQ(UsableArea(Rect{0, 0, 800, 600}, Rect{0, 0, 800, 748}, shown, 1),
              (Rect{0, 0, 800, 600})); // the system's of the old mode
}

TEST(MoveInside, ABarOffTheWorkAreaComesOntoItWithItsSize)
{
    const Rect work = {0, 0, 1024, 748};
    EXPECT_EQ(MoveInside(900, 600, Size{400, 51}, work), (Rect{624, 600, 1024, 651}));
    EXPECT_EQ(MoveInside(200, 120, Size{34, 400}, work), (Rect{200, 120, 234, 520}));
    EXPECT_EQ(MoveInside(0x7FFFFFF0, -50000, Size{34, 300}, work), (Rect{990, 0, 1024, 300}));
    // Larger than the work area: its start on it.
    EXPECT_EQ(MoveInside(100, -300, Size{2000, INT_MAX}, work), (Rect{0, 0, 2000, INT_MAX}));
}

} // namespace
