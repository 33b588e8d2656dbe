#include "placement/geometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{

const Rect kScreen = {0, 0, 1024, 768};

TEST(CutToThickness, KeepsTheSideOnTheScreenEdge)
{
    EXPECT_EQ(CutToThickness(kScreen, kEdgeLeft), (Rect{0, 0, 29, 768}));
    EXPECT_EQ(CutToThickness(kScreen, kEdgeTop), (Rect{0, 0, 1024, 29}));
    EXPECT_EQ(CutToThickness(kScreen, kEdgeRight), (Rect{995, 0, 1024, 768}));
    EXPECT_EQ(CutToThickness(kScreen, kEdgeBottom), (Rect{0, 739, 1024, 768}));
}

TEST(CutToThickness, FollowsWhatTheShellGranted)
{
    // A second bar on the right edge gets only one side moved by the shell.
    EXPECT_EQ(CutToThickness((Rect{0, 0, 995, 768}), kEdgeRight), (Rect{966, 0, 995, 768}));
    EXPECT_EQ(CutToThickness((Rect{0, 29, 1024, 768}), kEdgeTop), (Rect{0, 29, 1024, 58}));
}

TEST(AutoHideHeight, VerticalBarEndsWhereABottomTaskbarBegins)
{
    // The taskbar rectangle (-2, 738, 1026, 770) is 32 high: 768 - 32 + 2 = 738.
    EXPECT_EQ(AutoHideHeight(kScreen, kEdgeLeft, 32), 738);
    EXPECT_EQ(AutoHideHeight(kScreen, kEdgeRight, 32), 738);
}

TEST(AutoHideHeight, HorizontalBarHasNoCorrection)
{
    EXPECT_EQ(AutoHideHeight((Rect{0, 0, 1024, 29}), kEdgeTop, 32), 29);
    EXPECT_EQ(AutoHideHeight((Rect{0, 739, 1024, 768}), kEdgeBottom, 32), 29);
}

TEST(AutoHideHeight, TaskbarOnASideEdgeTakesNothing)
{
    // A taskbar standing on the left or right is about as tall as the screen.
    EXPECT_EQ(AutoHideHeight(kScreen, kEdgeLeft, 772), 768);
    EXPECT_EQ(AutoHideHeight(kScreen, kEdgeRight, 768), 768);
    EXPECT_EQ(AutoHideHeight(kScreen, kEdgeRight, 384), 768);
    EXPECT_EQ(AutoHideHeight(kScreen, kEdgeRight, 383), 387);
}

TEST(AutoHideHeight, NoTaskbarTakenYet)
{
    EXPECT_EQ(AutoHideHeight(kScreen, kEdgeLeft, 0), 770);
}

TEST(HiddenStrip, TwoPixelsOnTheScreenEdgeAtFullLength)
{
    EXPECT_EQ(HiddenStrip((Rect{0, 0, 29, 738}), kEdgeLeft), (Rect{0, 0, 2, 738}));
    EXPECT_EQ(HiddenStrip((Rect{0, 0, 1024, 29}), kEdgeTop), (Rect{0, 0, 1024, 2}));
    EXPECT_EQ(HiddenStrip((Rect{995, 0, 1024, 738}), kEdgeRight), (Rect{1022, 0, 1024, 738}));
    EXPECT_EQ(HiddenStrip((Rect{0, 739, 1024, 768}), kEdgeBottom), (Rect{0, 766, 1024, 768}));
}

TEST(FloatingSize, StoredSizeIsKept)
{
    const Size s = FloatingSize(34, 450, kEdgeRight);
    EXPECT_EQ(s.width, 34);
    EXPECT_EQ(s.height, 450);
}

TEST(FloatingSize, ASideOfZeroGivesTheDefaultShape)
{
    for (int edge : {kEdgeLeft, kEdgeRight}) {
        const Size s = FloatingSize(0, 450, edge);
        EXPECT_EQ(s.width, 34);
        EXPECT_EQ(s.height, 300);
    }
    for (int edge : {kEdgeTop, kEdgeBottom}) {
        const Size s = FloatingSize(120, 0, edge);
        EXPECT_EQ(s.width, 300);
        EXPECT_EQ(s.height, 51);
    }
}

TEST(SwapSides, ExchangesWidthAndHeightAtTheSameCorner)
{
    EXPECT_EQ(SwapSides((Rect{20, 30, 54, 330})), (Rect{20, 30, 320, 64}));
}

TEST(SwapSides, ExtremeRectanglesStayDefined)
{
    const Rect r = SwapSides((Rect{INT_MAX - 1, INT_MIN, INT_MAX, INT_MAX}));
    EXPECT_EQ(r.left, INT_MAX - 1);
    EXPECT_EQ(r.top, INT_MIN);
}

TEST(DockEdges, CodesAndOrientation)
{
    EXPECT_TRUE(IsVerticalEdge(kEdgeLeft));
    EXPECT_TRUE(IsVerticalEdge(kEdgeRight));
    EXPECT_FALSE(IsVerticalEdge(kEdgeTop));
    EXPECT_FALSE(IsVerticalEdge(kEdgeBottom));
    EXPECT_TRUE(IsDockEdge(0));
    EXPECT_TRUE(IsDockEdge(3));
    EXPECT_FALSE(IsDockEdge(-1));
    EXPECT_FALSE(IsDockEdge(4));
}

TEST(TaskbarMargin, ThirtyOnlyWhileDockedBesideAnAutoHidingTaskbar)
{
    EXPECT_EQ(TaskbarMargin(false, true), 30);
    EXPECT_EQ(TaskbarMargin(false, false), 4);
    EXPECT_EQ(TaskbarMargin(true, true), 4);
    EXPECT_EQ(TaskbarMargin(true, false), 4);
}

} // namespace
