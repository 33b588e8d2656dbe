// Dragging, floating and auto-hide, driven through the bar window's messages with the real
// cursor; the window system's own move loop is driven end to end elsewhere.
#include <gtest/gtest.h>

#include "barfixture.h"
#include "placement/autohide.h"
#include "res/resource.h"
#include "shell/barwnd.h"
#include "store/settings.h"

namespace
{

class Dragging : public BarTest
{
  protected:
    RECT Drag(POINT from, POINT to)
    {
        MoveCursor(from.x, from.y);
        SendMessageA(BarWindow, WM_ENTERSIZEMOVE, 0, 0);
        MoveCursor(to.x, to.y);
        RECT proposed = {1, 2, 3, 4};
        EXPECT_EQ(SendMessageA(BarWindow, WM_MOVING, 0, reinterpret_cast<LPARAM>(&proposed)), 1);
        SendMessageA(BarWindow, WM_EXITSIZEMOVE, 0, 0);
        Pump(50);
        return proposed;
    }
    static LONG Style() { return GetWindowLongA(BarWindow, GWL_STYLE); }
};

TEST_F(Dragging, ADockedBarThatNeverFloatedFloatsAtTheCursor)
{
    StartBar();
    Calls.clear();
    const RECT outline = Drag(POINT{1010, 300}, POINT{500, 400});
    EXPECT_TRUE(SameRect(outline, RECT{490, 395, 490, 395})) << Describe(outline);
    EXPECT_EQ(FloatMode, 1);
    EXPECT_EQ(AppBarMode, 2);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{490, 395, 524, 695}))
        << Describe(WindowRect(BarWindow));
    EXPECT_NE(Style() & WS_CAPTION, 0);
    EXPECT_NE(Style() & WS_THICKFRAME, 0);
    EXPECT_EQ(Messages(), (std::vector<DWORD>{ABM_REMOVE}));
    EXPECT_EQ(StoredDword("X"), 490);
    EXPECT_EQ(StoredDword("Y"), 395);
    EXPECT_EQ(StoredDword("Width"), 0);
    EXPECT_EQ(StoredDword("Height"), 0);
    QuitBar();
    EXPECT_EQ(StoredDword("FloatMode"), 1);
    EXPECT_EQ(StoredDword("Width"), 34);
    EXPECT_EQ(StoredDword("Height"), 300);
}

TEST_F(Dragging, ABarFromTheTopFloatsHorizontal)
{
    StoreDword("AppBarMode", 1);
    StartBar();
    Drag(POINT{500, 10}, POINT{400, 300});
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{390, 295, 690, 346}))
        << Describe(WindowRect(BarWindow));
}

TEST_F(Dragging, ADockedBarReleasedAtAnEdgeMovesThereWithoutRegisteringAgain)
{
    StartBar();
    Calls.clear();
    const RECT outline = Drag(POINT{1010, 300}, POINT{1, 1});
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(SameRect(outline, RECT{0, 0, 1024, 29})) << Describe(outline);
    EXPECT_EQ(AppBarMode, 1);
    EXPECT_EQ(FloatMode, 0);
    EXPECT_EQ(Messages(), (std::vector<DWORD>{ABM_QUERYPOS, ABM_SETPOS}));
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(1)));
    Drag(POINT{500, 10}, POINT{1, work.bottom - 1});
    EXPECT_EQ(AppBarMode, 3);
}

TEST_F(Dragging, AFloatingBarDockedKeepsWhereItFloatedBeforeTheDrag)
{
    StoreDword("FloatMode", 1);
    StoreDword("X", 200);
    StoreDword("Y", 100);
    StoreDword("Width", 34);
    StoreDword("Height", 300);
    StartBar();
    Calls.clear();
    MoveCursor(210, 110);
    SendMessageA(BarWindow, WM_ENTERSIZEMOVE, 0, 0);
    MoveWindow(BarWindow, 600, 200, 34, 300, TRUE); // the loop moved it meanwhile
    MoveCursor(1022, 300);
    SendMessageA(BarWindow, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(FloatMode, 0);
    EXPECT_EQ(AppBarMode, 2);
    EXPECT_EQ(Messages(), (std::vector<DWORD>{ABM_NEW, ABM_QUERYPOS, ABM_SETPOS}));
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(2)));
    EXPECT_EQ(Style() & (WS_CAPTION | WS_THICKFRAME), WS_BORDER);
    EXPECT_EQ(StoredDword("X"), 200);
    EXPECT_EQ(StoredDword("Y"), 100);
    EXPECT_EQ(StoredDword("Width"), 34);
    EXPECT_EQ(StoredDword("Height"), 300);
}

TEST_F(Dragging, AFloatingBarReleasedInTheOpenStaysWhereItIs)
{
    StoreDword("FloatMode", 1);
    StoreDword("X", 200);
    StoreDword("Y", 100);
    StartBar();
    const RECT outline = Drag(POINT{210, 110}, POINT{410, 310});
    EXPECT_TRUE(SameRect(outline, RECT{400, 300, 434, 600})) << Describe(outline);
    EXPECT_EQ(FloatMode, 1);
    EXPECT_EQ(StoredDword("X"), 200); // nothing written until it docks or quits
}

TEST_F(Dragging, AFloatingBarTurnsWhenMadeWiderThanTall)
{
    StoreDword("FloatMode", 1);
    StartBar();
    MoveWindow(BarWindow, 100, 100, 400, 120, TRUE);
    EXPECT_EQ(AppBarMode, 3);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{100, 100, 500, 151}));
    MoveWindow(BarWindow, 100, 100, 90, 300, TRUE);
    EXPECT_EQ(AppBarMode, 0);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{100, 100, 134, 400}));
}

TEST_F(Dragging, ADockedBarIgnoresPositionChanges)
{
    StartBar();
    SendMessageA(BarWindow, WM_WINDOWPOSCHANGED, 0, 0);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(2)));
    EXPECT_EQ(AppBarMode, 2);
}

TEST_F(Dragging, HostileStoredGeometryStillGivesAReachableBar)
{
    StoreDword("FloatMode", 1);
    StoreDword("X", 0x7FFFFFF0);
    StoreDword("Y", DWORD(-50000));
    StoreDword("Width", DWORD(-5));
    StoreDword("Height", 0x7FFFFFFF);
    StartBar();
    const RECT r = WindowRect(BarWindow);
    EXPECT_EQ(r.left, 20) << Describe(r);
    EXPECT_EQ(r.top, 20) << Describe(r);
    EXPECT_EQ(r.right - r.left, 34) << Describe(r);
    EXPECT_EQ(r.bottom - r.top, 300) << Describe(r);
}

TEST_F(Dragging, AnOffScreenPartlyVisibleBarIsUsedAsStored)
{
    StoreDword("FloatMode", 1);
    StoreDword("X", DWORD(-20));
    StoreDword("Y", 700);
    StartBar();
    const RECT r = WindowRect(BarWindow);
    EXPECT_EQ(r.left, -20);
    EXPECT_EQ(r.top, 700);
}

class AutoHide : public BarTest
{
  protected:
    void StartHiding(int edge = 2)
    {
        StoreDword("HideMode", 1);
        StoreDword("HideTime", 600000); // the ticks of this test are its own
        StoreDword("AppBarMode", DWORD(edge));
        MoveCursor(500, 400);
        StartBar();
    }
    static void Tick() { SendMessageA(BarWindow, WM_TIMER, AUTOHIDE_TIMER_ID, 0); }
    // The cursor request as the window system sends it when the pointer moves over the bar.
    // The bar answers it itself: the default procedure would put the class's arrow in place of
    // the cursor that shows.
    static LRESULT Touch()
    {
        const HCURSOR shown = LoadCursorA(nullptr, IDC_CROSS);
        SetCursor(shown);
        const LRESULT result =
            SendMessageA(BarWindow, WM_SETCURSOR, reinterpret_cast<WPARAM>(BarWindow),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), shown) << "the cursor request reached the default procedure";
        return result;
    }
};

TEST_F(AutoHide, TheFirstTickHidesAtOnceAndLaterTheSecond)
{
    StartHiding();
    const RECT shown = WindowRect(BarWindow);
    EXPECT_TRUE(SameRect(ShownRect, shown));
    Tick();
    EXPECT_EQ(HiddenFlag, 1);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{1022, 0, 1024, 769}))
        << Describe(WindowRect(BarWindow));
    EXPECT_EQ(Touch(), 0);
    EXPECT_EQ(HiddenFlag, 0);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), shown));
    EXPECT_EQ(GetActiveWindow(), BarWindow);
    Tick();
    EXPECT_EQ(HiddenFlag, 0); // one tick away
    Tick();
    EXPECT_EQ(HiddenFlag, 1);
}

TEST_F(AutoHide, ABottomBarHidesToItsBottomTwoPixels)
{
    StartHiding(3);
    Tick();
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{0, 766, 1024, 768}))
        << Describe(WindowRect(BarWindow));
}

TEST_F(AutoHide, TheRightAndBottomEdgesOfTheBarCountAsOnIt)
{
    StartHiding();
    MoveCursor(ShownRect.right, ShownRect.bottom - 1);
    Tick();
    Tick();
    EXPECT_EQ(HiddenFlag, 0);
    MoveCursor(ShownRect.left - 1, 300);
    Tick();
    EXPECT_EQ(HiddenFlag, 1);
}

TEST_F(AutoHide, TicksCountWithAutoHideOffAndHideAtOnceWhenItIsSwitchedOn)
{
    StoreDword("HideTime", 600000);
    MoveCursor(500, 400);
    StartBar();
    const RECT docked = WindowRect(BarWindow);
    for (int i = 0; i < 3; ++i)
        Tick();
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), docked));
    EXPECT_EQ(Touch(), 0); // does not reset the count while auto-hide is off
    HideMode = 1;
    SwitchHideMode(0);
    Tick();
    EXPECT_EQ(HiddenFlag, 1);
}

TEST_F(AutoHide, AFloatingBarIgnoresBoth)
{
    StoreDword("HideMode", 1);
    StoreDword("HideTime", 600000);
    StoreDword("FloatMode", 1);
    StartBar();
    const RECT floating = WindowRect(BarWindow);
    Tick();
    Tick();
    EXPECT_EQ(Touch(), 0);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), floating));
    EXPECT_EQ(HiddenFlag, 0);
}

TEST_F(AutoHide, AZeroOrNegativePeriodKeepsTheBarResponsive)
{
    for (DWORD period : {0u, 0xFFFFFFFFu}) {
        StoreDword("HideTime", period);
        StartBar();
        Pump(200);
        EXPECT_EQ(SendMessageA(BarWindow, UM_APPBAR_NOTIFY, 0, 0), 0);
        QuitBar();
    }
}

} // namespace
