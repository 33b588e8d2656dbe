#include "placement/geometry.h"

#include <gtest/gtest.h>

namespace
{

const Rect kScreen = {0, 0, 1024, 768};

TEST(EdgeStrip, TheDockedBarKeepsTheSideOnTheScreenEdge)
{
    EXPECT_EQ(EdgeStrip(kScreen, kEdgeLeft, 29), (Rect{0, 0, 29, 768}));
    EXPECT_EQ(EdgeStrip(kScreen, kEdgeTop, 29), (Rect{0, 0, 1024, 29}));
    EXPECT_EQ(EdgeStrip(kScreen, kEdgeRight, 29), (Rect{995, 0, 1024, 768}));
    EXPECT_EQ(EdgeStrip(kScreen, kEdgeBottom, 29), (Rect{0, 739, 1024, 768}));
    // A second bar on the right edge gets only one side moved by the shell.
    EXPECT_EQ(EdgeStrip((Rect{0, 0, 995, 768}), kEdgeRight, 29), (Rect{966, 0, 995, 768}));
}

TEST(EdgeStrip, TheHiddenStripKeepsTheFullLength)
{
    EXPECT_EQ(EdgeStrip((Rect{0, 0, 29, 738}), kEdgeLeft, 2), (Rect{0, 0, 2, 738}));
    EXPECT_EQ(EdgeStrip((Rect{995, 0, 1024, 738}), kEdgeRight, 2), (Rect{1022, 0, 1024, 738}));
    EXPECT_EQ(EdgeStrip((Rect{0, 739, 1024, 768}), kEdgeBottom, 2), (Rect{0, 766, 1024, 768}));
}

TEST(EdgeStrip, AnUnknownEdgeChangesNothing)
{
    EXPECT_EQ(EdgeStrip(kScreen, 4, 29), kScreen);
    EXPECT_EQ(EdgeStrip(kScreen, -1, 29), kScreen);
}

// A taskbar of this height at the bottom of the screen, reaching 2 pixels beyond it.
Rect TaskbarOfHeight(int height)
{
    return Rect{-2, 770 - height, 1026, 770};
}

TEST(AutoHideHeight, AVerticalBarEndsWhereABottomTaskbarBegins)
{
    // The taskbar rectangle (-2, 738, 1026, 770) is 32 high: 768 - 32 + 2 = 738.
    EXPECT_EQ(AutoHideHeight(kScreen, kEdgeLeft, TaskbarOfHeight(32), kScreen), 738);
    EXPECT_EQ(AutoHideHeight(kScreen, kEdgeRight, TaskbarOfHeight(32), kScreen), 738);
    EXPECT_EQ(AutoHideHeight(kScreen, kEdgeLeft, (Rect{0, 0, 0, 0}), kScreen), 770); // not taken
}

TEST(AutoHideHeight, AHorizontalBarHasNoCorrection)
{
    EXPECT_EQ(AutoHideHeight((Rect{0, 0, 1024, 29}), kEdgeTop, TaskbarOfHeight(32), kScreen), 29);
    EXPECT_EQ(AutoHideHeight((Rect{0, 739, 1024, 768}), kEdgeBottom, TaskbarOfHeight(32), kScreen),
              29);
}

TEST(AutoHideHeight, ATaskbarOnASideEdgeTakesNothing)
{
    // A taskbar standing on the left or right is about as tall as the screen; the correction
    // would leave a bar a few pixels long, or of negative length.
    EXPECT_EQ(AutoHideHeight(kScreen, kEdgeLeft, (Rect{-2, -2, 60, 770}), kScreen), 768);
    EXPECT_EQ(AutoHideHeight(kScreen, kEdgeRight, (Rect{964, 0, 1026, 384}), kScreen), 768);
    EXPECT_EQ(AutoHideHeight(kScreen, kEdgeRight, (Rect{964, 0, 1026, 383}), kScreen), 387);
}

// The taskbar stands on the monitor that holds its middle; a bar on any other monitor has its
// whole length, even where the taskbar's overhang reaches onto its monitor.
TEST(AutoHideHeight, ATaskbarOnAnotherMonitorTakesNothing)
{
    const Rect right = {1024, 0, 1824, 600};
    const Rect below = {0, 768, 1024, 1536};
    const Rect left = {-800, 0, 0, 600};
    EXPECT_EQ(AutoHideHeight(right, kEdgeLeft, TaskbarOfHeight(32), right), 600);
    EXPECT_EQ(AutoHideHeight(right, kEdgeRight, (Rect{0, 767, 1024, 768}), right), 600);
    EXPECT_EQ(AutoHideHeight(below, kEdgeRight, TaskbarOfHeight(32), below), 768);
    const Rect leftTaskbar = {-802, 570, 2, 602};
    EXPECT_EQ(AutoHideHeight(left, kEdgeLeft, leftTaskbar, left), 570);
    EXPECT_EQ(AutoHideHeight(kScreen, kEdgeLeft, leftTaskbar, kScreen), 768);
}

TEST(FloatingSize, ASideOfZeroGivesTheDefaultShapeOfTheOrientation)
{
    const Size stored = FloatingSize(34, 450, kEdgeRight);
    EXPECT_EQ(stored.width, 34);
    EXPECT_EQ(stored.height, 450);
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

} // namespace
