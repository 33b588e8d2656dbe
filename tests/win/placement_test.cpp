// Dragging, floating and auto-hide, driven through the bar window's messages with the real
// cursor; the window system's own move loop is driven end to end elsewhere.
#include <gtest/gtest.h>

#include "barfixture.h"
#include "placement/autohide.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "store/settings.h"

namespace
{

class Dragging : public BarTest
{
  protected:
    static LONG Style() { return GetWindowLongA(BarWindow, GWL_STYLE); }
};

TEST_F(Dragging, ADockedBarThatNeverFloatedFloatsAtTheCursor)
{
    StartBar();
    Calls.clear();
    const RECT outline = Drag(POINT{1010, 300}, POINT{500, 400});
    EXPECT_TRUE(SameRect(outline, RECT{490, 395, 490, 395})) << Describe(outline);
    EXPECT_EQ(Settings.FloatMode, 1);
    EXPECT_EQ(Settings.AppBarMode, 2);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{490, 395, 524, 695}))
        << Describe(WindowRect(BarWindow));
    const LONG created = WS_POPUP | WS_CAPTION | WS_THICKFRAME; // the template's style
    EXPECT_EQ(Style() & created, created);
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
    EXPECT_TRUE(SameRect(outline, RECT{0, 0, 1024, 29})) << Describe(outline);
    EXPECT_EQ(Settings.AppBarMode, 1);
    EXPECT_EQ(Settings.FloatMode, 0);
    EXPECT_EQ(Messages(), (std::vector<DWORD>{ABM_QUERYPOS, ABM_SETPOS}));
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(1)));
    // The work area ends above the taskbar at 748; the system's own figure goes stale in a
    // process that saw a display change.
    Drag(POINT{500, 10}, POINT{1, 747});
    EXPECT_EQ(Settings.AppBarMode, 3);
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
    EXPECT_EQ(Settings.FloatMode, 0);
    EXPECT_EQ(Settings.AppBarMode, 2);
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
    EXPECT_EQ(Settings.FloatMode, 1);
    EXPECT_EQ(StoredDword("X"), 200); // nothing written until it docks or quits
}

TEST_F(Dragging, AFloatingBarTurnsWhenMadeWiderThanTall)
{
    StoreDword("FloatMode", 1);
    StartBar();
    MoveWindow(BarWindow, 100, 100, 400, 120, TRUE);
    EXPECT_EQ(Settings.AppBarMode, 3);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{100, 100, 500, 151}));
    MoveWindow(BarWindow, 100, 100, 90, 300, TRUE);
    EXPECT_EQ(Settings.AppBarMode, 0);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{100, 100, 134, 400}));
}

TEST_F(Dragging, ADockedBarIgnoresPositionChanges)
{
    StartBar();
    SendMessageA(BarWindow, WM_WINDOWPOSCHANGED, 0, 0);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(2)));
    EXPECT_EQ(Settings.AppBarMode, 2);
}

TEST_F(Dragging, HostileStoredGeometryStillGivesAReachableBar)
{
    StoreDword("FloatMode", 1);
    StoreDword("X", 0x7FFFFFF0);
    StoreDword("Y", DWORD(-50000));
    StoreDword("Width", DWORD(-5));
    StoreDword("Height", 0x7FFFFFFF);
    StartBar();
    // The default shape, on the nearest corner of the work area.
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{990, 0, 1024, 300}))
        << Describe(WindowRect(BarWindow));
}

// The work area of the test desktop is 1024 x 748: the taskbar takes the bottom 20 pixels.
TEST_F(Dragging, AStoredBarPartlyOffTheWorkAreaStartsOnItWithItsSize)
{
    StoreDword("FloatMode", 1);
    StoreDword("X", DWORD(-20));
    StoreDword("Y", 700);
    StartBar();
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{0, 448, 34, 748}))
        << Describe(WindowRect(BarWindow));
    QuitBar();
    StoreDword("AppBarMode", 3);
    StoreDword("X", 900);
    StoreDword("Y", 600);
    StoreDword("Width", 400);
    StoreDword("Height", 51);
    StartBar();
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{624, 600, 1024, 651}))
        << Describe(WindowRect(BarWindow));
}

// Real changes of the virtual desktop's display mode; every top-level window hears of them as
// on Windows. The mode is put back after each test, whatever its outcome.
class DisplayChange : public BarTest
{
  protected:
    void TearDown() override
    {
        ChangeDisplaySettingsExW(nullptr, nullptr, nullptr, 0, nullptr);
        // The shell's taskbar follows a moment later; the next test expects it in its place.
        EXPECT_TRUE(PumpUntil(
            [] {
                return GetSystemMetrics(SM_CXSCREEN) == 1024 &&
                       SameRect(WindowRect(FindWindowA("Shell_TrayWnd", nullptr)),
                                RECT{0, 748, 1024, 768});
            },
            5000));
        BarTest::TearDown();
    }
    static void SetMode(int width, int height)
    {
        DEVMODEW mode = {};
        mode.dmSize = sizeof mode;
        mode.dmPelsWidth = DWORD(width);
        mode.dmPelsHeight = DWORD(height);
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        ASSERT_EQ(ChangeDisplaySettingsExW(nullptr, &mode, nullptr, CDS_FULLSCREEN, nullptr),
                  DISP_CHANGE_SUCCESSFUL);
        ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), width);
        Pump(100);
    }
};

TEST_F(DisplayChange, ADockedBarTakesItsEdgeOfTheNewScreen)
{
    StartBar();
    Calls.clear();
    SetMode(800, 600);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{771, 0, 800, 600}))
        << Describe(WindowRect(BarWindow));
    EXPECT_EQ(Messages(), (std::vector<DWORD>{ABM_QUERYPOS, ABM_SETPOS}));
    SetMode(1024, 768);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(2))) << Describe(WindowRect(BarWindow));
}

// A running process keeps the system's work area of the old mode under Wine; a drag takes the
// monitor as it is now, less the taskbar in its new place.
TEST_F(DisplayChange, ADragDocksOnAnEdgeOfTheNewScreen)
{
    StartBar();
    SetMode(800, 600);
    ASSERT_TRUE(PumpUntil(
        [] {
            return SameRect(WindowRect(FindWindowA("Shell_TrayWnd", nullptr)),
                            RECT{0, 580, 800, 600});
        },
        5000));
    const RECT outline = Drag(POINT{785, 300}, POINT{400, 578});
    EXPECT_TRUE(SameRect(outline, RECT{0, 551, 800, 580})) << Describe(outline);
    EXPECT_EQ(Settings.AppBarMode, 3);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{0, 571, 800, 600}))
        << Describe(WindowRect(BarWindow));
}

TEST_F(DisplayChange, AHiddenBarStaysHiddenInItsNewStrip)
{
    StartHiding(3);
    Tick();
    ASSERT_TRUE(SameRect(WindowRect(BarWindow), RECT{0, 766, 1024, 768}));
    SetMode(800, 600);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{0, 598, 800, 600}))
        << Describe(WindowRect(BarWindow));
    Touch();
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{0, 571, 800, 600}))
        << Describe(WindowRect(BarWindow));
}

TEST_F(DisplayChange, AFloatingBarComesOntoTheSmallerScreenWithItsSize)
{
    StoreDword("FloatMode", 1);
    StoreDword("AppBarMode", 3);
    StoreDword("X", 600);
    StoreDword("Y", 300);
    StoreDword("Width", 400);
    StoreDword("Height", 51);
    StartBar();
    ASSERT_TRUE(SameRect(WindowRect(BarWindow), RECT{600, 300, 1000, 351}));
    SetMode(800, 600);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{400, 300, 800, 351}))
        << Describe(WindowRect(BarWindow));
    SetMode(1024, 768); // wholly on the larger screen: it stays
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{400, 300, 800, 351}))
        << Describe(WindowRect(BarWindow));
    EXPECT_TRUE(Messages().empty());
}

// The taskbar Windows 8 and later give another monitor, here on the left of this one, as the
// shell makes it; then the notice that the work area changed.
TEST_F(DisplayChange, AMovedWorkAreaBringsAFloatingBarOntoItAndHasAHiddenOneReadTheTaskbar)
{
    StoreDword("FloatMode", 1);
    StoreDword("X", 10);
    StartBar();
    ASSERT_TRUE(SameRect(WindowRect(BarWindow), RECT{10, 20, 44, 320}));
    const WNDCLASSA trayClass = {
        0,       DefWindowProcA, 0,       0,       nullptr,
        nullptr, nullptr,        nullptr, nullptr, "Shell_SecondaryTrayWnd"};
    RegisterClassA(&trayClass);
    const HWND tray =
        CreateWindowExA(WS_EX_TOOLWINDOW, "Shell_SecondaryTrayWnd", "", WS_POPUP | WS_VISIBLE, 0, 0,
                        40, 768, nullptr, nullptr, nullptr, nullptr);
    SendMessageA(BarWindow, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{40, 20, 74, 320}))
        << Describe(WindowRect(BarWindow));
    DestroyWindow(tray);
    QuitBar();
    StoreDword("FloatMode", 0);
    StartHiding();
    Calls.clear();
    SendMessageA(BarWindow, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_EQ(Messages(), (std::vector<DWORD>{ABM_GETTASKBARPOS, ABM_QUERYPOS, ABM_SETPOS}));
}

using AutoHide = BarTest;

TEST_F(AutoHide, TheFirstTickHidesAtOnceAndLaterTheSecond)
{
    StartHiding();
    const RECT shown = WindowRect(BarWindow);
    Tick();
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{1022, 0, 1024, 769}))
        << Describe(WindowRect(BarWindow));
    EXPECT_EQ(Touch(), 0);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), shown));
    EXPECT_EQ(GetActiveWindow(), BarWindow);
    Tick();
    EXPECT_FALSE(Hidden()); // one tick away
    Tick();
    EXPECT_TRUE(Hidden());
}

TEST_F(AutoHide, ABottomBarHidesToItsBottomTwoPixels)
{
    StartHiding(3);
    Tick();
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{0, 766, 1024, 768}))
        << Describe(WindowRect(BarWindow));
}

TEST_F(AutoHide, ALeftBarHidesToItsLeftTwoPixelsAndComesBackWhole)
{
    StartHiding(0);
    const RECT shown = WindowRect(BarWindow);
    Tick();
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{0, 0, 2, shown.bottom}))
        << Describe(WindowRect(BarWindow));
    Touch();
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), shown)) << Describe(WindowRect(BarWindow));
}

TEST_F(AutoHide, TheRightAndBottomEdgesOfTheBarCountAsOnIt)
{
    StartHiding();
    const RECT shown = WindowRect(BarWindow);
    MoveCursor(shown.right, shown.bottom - 1);
    Tick();
    Tick();
    EXPECT_FALSE(Hidden());
    MoveCursor(shown.left - 1, 300);
    Tick();
    EXPECT_TRUE(Hidden());
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
    Settings.HideMode = 1;
    SwitchHideMode(0);
    const RECT shown = WindowRect(BarWindow);
    Tick();
    EXPECT_TRUE(Hidden());
    Touch();
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), shown)); // the switch took the new places
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
}

// The bar's own timer, at a short period: it ticks only while a tick can change something, and
// the bar hides after as many ticks as it always did.
TEST_F(AutoHide, TheTimerRestsWhereItCanDoNothingAndHidesAsBeforeWhereItCan)
{
    StoreDword("HideTime", 50);
    MoveCursor(500, 400);
    StartBar();
    TimerTicks(300); // the first counts the cursor away
    EXPECT_EQ(TimerTicks(300), 0) << "auto-hide off";
    Settings.HideMode = 1;
    SwitchHideMode(0);
    FollowAutoHideMode(false);
    EXPECT_EQ(TimerTicks(2000, Hidden), 1) << "the count from before hides at once";
    EXPECT_EQ(TimerTicks(300), 0) << "hidden";
    Touch();
    ASSERT_FALSE(Hidden());
    EXPECT_EQ(TimerTicks(2000, Hidden), 2);
    EXPECT_TRUE(Hidden());
}

TEST_F(AutoHide, TheTimerRestsWhileTheBarFloatsAndTheFirstTickHidesItDocked)
{
    StoreDword("HideMode", 1);
    StoreDword("HideTime", 200); // no tick while the cursor is moved away after the drag
    StoreDword("FloatMode", 1);
    StartBar();
    EXPECT_EQ(TimerTicks(500), 0);
    MoveCursor(210, 110);
    SendMessageA(BarWindow, WM_ENTERSIZEMOVE, 0, 0);
    MoveCursor(1022, 300);
    SendMessageA(BarWindow, WM_EXITSIZEMOVE, 0, 0);
    ASSERT_EQ(Settings.FloatMode, 0);
    MoveCursor(500, 400);
    EXPECT_EQ(TimerTicks(2000, Hidden), 1);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{1022, 0, 1024, 769}))
        << Describe(WindowRect(BarWindow));
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
