#include "panel/layout.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{

TEST(ButtonCount, VerticalBar)
{
    EXPECT_EQ(VerticalButtonCount(21, 5), 0);
    EXPECT_EQ(VerticalButtonCount(22, 5), 1);
    EXPECT_EQ(VerticalButtonCount(43, 5), 1);
    EXPECT_EQ(VerticalButtonCount(1518, 5), 69);
    EXPECT_EQ(VerticalButtonCount(5000, 5), 69);
    EXPECT_EQ(VerticalButtonCount(-1, 5), 5); // too little room keeps the count
    EXPECT_EQ(VerticalButtonCount(0, 5), 0);
}

TEST(ButtonCount, HorizontalBar)
{
    EXPECT_EQ(HorizontalButtonCount(22, 0), 0);
    EXPECT_EQ(HorizontalButtonCount(22, 7), 7);
    EXPECT_EQ(HorizontalButtonCount(23, 7), 1);
    EXPECT_EQ(HorizontalButtonCount(1610, 7), 70);
    EXPECT_EQ(HorizontalButtonCount(5000, 7), 70);
}

TEST(ButtonCount, CountsTheSpaceAlongTheBar)
{
    // Docked on the right of a 768-high screen: 766 - 104 - 30 = 632 -> 28 buttons.
    EXPECT_EQ(ButtonCount(kEdgeRight, 27, 766, 104, 30, 0), 28);
    EXPECT_EQ(ButtonCount(kEdgeLeft, 27, 766, 104, 4, 0), 29);
    // Along the top: 1022 - 104 - 4 = 914 -> 39; the taskbar margin does not count.
    EXPECT_EQ(ButtonCount(kEdgeTop, 1022, 27, 104, 30, 0), 39);
    EXPECT_EQ(ButtonCount(9, 1022, 27, 104, 30, 3), 3);
}

// At 144 DPI a docked bar is 44 thick (42 inside its border), a button 35 x 33, the strips 141
// and their grip 15; at 192 a button is 46 x 44.
TEST(ButtonCount, FollowsTheDpi)
{
    EXPECT_EQ(Scaled(29, 144), 44);
    EXPECT_EQ(Scaled(23, 144), 35);
    EXPECT_EQ(Scaled(22, 120), 28); // 27.5 rounds up, as MulDiv rounds
    EXPECT_EQ(Scaled(30, 192), 60);
    // The vertical counts and button places at 144 and 192 are pinned on the real bar.
    EXPECT_EQ(ButtonCount(kEdgeTop, 1022, 42, 156, 45, 0, 144), 24); // (1022 - 156 - 6) / 35
    EXPECT_EQ(HorizontalButtonCount(45, 7, 192), 7);
    PanelLayout v;
    ASSERT_TRUE(LayOutPanel(kEdgeRight, 42, 766, 156, &v, 144));
    EXPECT_TRUE(SameBox(v.gripStrip, Box{0, 141, 42, 15}));
    EXPECT_FALSE(SameButtons(ButtonPage{kEdgeRight, 17, 0, 144}, ButtonPage{kEdgeRight, 17, 0}));
}

TEST(LayOutPanel, VerticalAndHorizontal)
{
    PanelLayout v;
    ASSERT_TRUE(LayOutPanel(kEdgeRight, 27, 766, 104, &v));
    EXPECT_EQ(v.commandStrip.x, 2);
    EXPECT_EQ(v.commandStrip.width, 23);
    EXPECT_EQ(v.commandStrip.height, 94);
    EXPECT_EQ(v.gripStrip.y, 94);
    EXPECT_EQ(v.gripStrip.width, 27);
    EXPECT_EQ(v.gripStrip.height, 10);
    EXPECT_EQ(v.panel.x, 2);
    EXPECT_EQ(v.panel.y, 104);
    EXPECT_EQ(v.panel.width, 23);
    EXPECT_EQ(v.panel.height, 662);
    PanelLayout h;
    ASSERT_TRUE(LayOutPanel(kEdgeBottom, 1022, 27, 104, &h));
    EXPECT_EQ(h.commandStrip.width, 94);
    EXPECT_EQ(h.commandStrip.height, 27);
    EXPECT_EQ(h.gripStrip.x, 94);
    EXPECT_EQ(h.panel.x, 104);
    EXPECT_EQ(h.panel.width, 918);
    EXPECT_FALSE(LayOutPanel(7, 10, 10, 104, &h));
}

TEST(ButtonOrigin, OneUnderAnotherOrSideBySide)
{
    int x, y;
    ButtonOrigin(kEdgeLeft, 2, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 48);
    ButtonOrigin(kEdgeTop, 2, &x, &y);
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 4);
}

TEST(SameButtons, AnAutoHidingBarKeepsItsButtonsOutAndIn)
{
    // Shown, the right bar's client area is 27 x 767; in its strip 0 x 767. Along the bottom,
    // 1022 x 27 and 1022 x 0.
    const ButtonPage shown = {kEdgeRight, 28, 3};
    EXPECT_EQ(ButtonCount(kEdgeRight, 0, 767, 104, 30, 28), 28);
    EXPECT_TRUE(SameButtons(shown, ButtonPage{kEdgeRight, 28, 3}));
    EXPECT_EQ(ButtonCount(kEdgeBottom, 1022, 0, 104, 30, 39), 39);
    EXPECT_TRUE(SameButtons(ButtonPage{kEdgeBottom, 39, 0}, ButtonPage{kEdgeBottom, 39, 0}));
    // The buttons run the same way on the other side of the screen.
    EXPECT_TRUE(SameButtons(shown, ButtonPage{kEdgeLeft, 28, 3}));
}

TEST(SameButtons, ALengthPageOrDirectionChangeTakesNewButtons)
{
    const ButtonPage shown = {kEdgeRight, 28, 3};
    EXPECT_EQ(ButtonCount(kEdgeRight, 27, 500, 104, 30, 28), 16);
    EXPECT_FALSE(SameButtons(shown, ButtonPage{kEdgeRight, 16, 3}));
    EXPECT_FALSE(SameButtons(shown, ButtonPage{kEdgeRight, 28, 4}));
    EXPECT_FALSE(SameButtons(shown, ButtonPage{kEdgeBottom, 28, 3}));
    EXPECT_FALSE(SameButtons(ButtonPage{kEdgeTop, 1, 0}, ButtonPage{kEdgeLeft, 1, 0}));
    // A page without buttons has no places to differ in.
    EXPECT_TRUE(SameButtons(ButtonPage{kEdgeTop, 0, 0}, ButtonPage{kEdgeLeft, 0, 0}));
}

TEST(Slots, PageTwoWithTenPerPageHoldsSlotsTwentyToTwentyNine)
{
    EXPECT_EQ(SlotNumber(2, 10, 0), 20);
    EXPECT_EQ(SlotNumber(2, 10, 9), 29);
    EXPECT_EQ(SlotIndex(25, 2, 10), 5);
    // A stored page far out of range wraps instead of overflowing, and maps back.
    EXPECT_EQ(SlotIndex(SlotNumber(INT_MAX, 69, 68), INT_MAX, 69), 68);
}

TEST(Pages, WrapBothWays)
{
    EXPECT_EQ(PreviousPage(0, 4), 4);
    EXPECT_EQ(PreviousPage(3, 4), 2);
    EXPECT_EQ(NextPage(4, 4), 0);
    EXPECT_EQ(NextPage(1, 4), 2);
    EXPECT_EQ(NextPage(0, 0), 0);
    EXPECT_EQ(PreviousPage(0, 0), 0);
    EXPECT_EQ(NextPage(1000, 4), 0); // a stored page beyond the last
    EXPECT_EQ(NextPage(INT_MAX, INT_MAX), 0);
    EXPECT_EQ(PreviousPage(INT_MIN, 4), 4);
}

} // namespace
