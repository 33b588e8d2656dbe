// The bar on a desk of two monitors, run in the two-monitor test bed (scripts/testbed.sh
// --monitors): the primary, 1024 x 768, and left of it a smaller one, 800 x 600, which the window
// system places at (-800, 0); below the smaller one lies no screen. The shell's taskbar is hidden
// there and reserves nothing.
#include <gtest/gtest.h>

#include "barfixture.h"
#include "barprocess.h"
#include "placement/barwindow.h"
#include "store/settings.h"

namespace
{

const RECT kOtherMonitor = {-800, 0, 0, 600};

RECT MonitorAt(POINT p)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(p, MONITOR_DEFAULTTONULL), &monitor);
    return monitor.rcMonitor;
}

const char kOtherMonitorName[] = "\\\\.\\DISPLAY2";

// Anywhere else every case would fail in a way of its own.
void ExpectTwoMonitors()
{
    ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2) << "not the two-monitor test bed";
    ASSERT_TRUE(SameRect(MonitorAt(POINT{-400, 300}), kOtherMonitor))
        << Describe(MonitorAt(POINT{-400, 300}));
}

// A point as xdotool takes it: the X screen's left top corner is that of all monitors together.
std::string At(POINT p)
{
    return std::to_string(p.x - GetSystemMetrics(SM_XVIRTUALSCREEN)) + " " +
           std::to_string(p.y - GetSystemMetrics(SM_YVIRTUALSCREEN));
}

// Presses the real pointer at from, moves it to to in steps and releases it there.
void DragPointer(POINT from, POINT to)
{
    Xdotool("mousemove " + At(from));
    Xdotool("mousedown 1");
    for (int step = 1; step <= 4; ++step)
        Xdotool("mousemove " + At(POINT{from.x + (to.x - from.x) * step / 4,
                                        from.y + (to.y - from.y) * step / 4}));
    Xdotool("mouseup 1");
}

// The middle of the grip strip, which lies 94 to 104 pixels along the bar from its client area's
// start.
POINT Grip(HWND bar)
{
    RECT client;
    GetClientRect(bar, &client);
    POINT origin = {0, 0};
    ClientToScreen(bar, &origin);
    return client.bottom > client.right ? POINT{origin.x + client.right / 2, origin.y + 99}
                                        : POINT{origin.x + 99, origin.y + client.bottom / 2};
}

class TwoMonitors : public BarProcessTest
{
  protected:
    void SetUp() override
    {
        BarProcessTest::SetUp();
        ExpectTwoMonitors();
    }
};

TEST_F(TwoMonitors, TheGripDraggedToEachEdgeOfTheOtherMonitorDocksThereAndTheNextStartToo)
{
    HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForRect(window, RECT{995, 0, 1024, 768})) << Describe(WindowRect(window));
    const struct {
        POINT release;
        RECT docked;
    } kEdges[] = {
        {{-799, 300}, {-800, 0, -771, 600}}, // left
        {{-400, 1}, {-800, 0, 0, 29}},       // top
        {{-2, 300}, {-29, 0, 0, 600}},       // right, beside the primary's left edge
        {{-400, 598}, {-800, 571, 0, 600}},  // bottom, above the hole
    };
    for (const auto &edge : kEdges) {
        DragPointer(Grip(window), edge.release);
        EXPECT_TRUE(WaitForRect(window, edge.docked))
            << At(edge.release) << ": " << Describe(WindowRect(window));
    }
    QuitBar(window);
    EXPECT_EQ(StoredDword("AppBarMode"), 3);
    EXPECT_EQ(StoredDword("MonitorX"), -800);
    EXPECT_EQ(StoredDword("MonitorY"), 0);
    EXPECT_EQ(StoredString("MonitorName"), std::string(kOtherMonitorName, 13));
    window = StartBar();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitForRect(window, RECT{-800, 571, 0, 600})) << Describe(WindowRect(window));
    QuitBar(window);
}

TEST_F(TwoMonitors, ABarFloatsOnTheOtherMonitorAndTheNextStartStandsItThere)
{
    HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    DragPointer(Grip(window), POINT{-400, 300});
    const RECT floating = {-410, 295, -376, 595}; // the cursor held 10 right of, 5 below its corner
    EXPECT_TRUE(WaitForRect(window, floating)) << Describe(WindowRect(window));
    QuitBar(window);
    EXPECT_EQ(StoredDword("FloatMode"), 1);
    EXPECT_EQ(StoredDword("X"), -410);
    window = StartBar();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitForRect(window, floating)) << Describe(WindowRect(window));
    QuitBar(window);
}

// Right of the primary, and in the hole below the other monitor. The bar keeps the values for the
// day the monitor is back.
TEST_F(TwoMonitors, StoredMonitorValuesThatNameNoMonitorStartTheBarOnThePrimary)
{
    for (POINT stored : {POINT{1024, 0}, POINT{-800, 600}}) {
        StoreDword("AppBarMode", 1);
        StoreDword("MonitorX", DWORD(stored.x));
        StoreDword("MonitorY", DWORD(stored.y));
        const HWND window = StartBar();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(WaitForRect(window, RECT{0, 0, 1024, 29}))
            << stored.x << "," << stored.y << ": " << Describe(WindowRect(window));
        QuitBar(window);
        EXPECT_EQ(StoredDword("MonitorX"), stored.x);
        EXPECT_EQ(StoredDword("MonitorY"), stored.y);
    }
    // The monitor's device name wins over a corner that has moved, which is put right.
    StoreString("MonitorName", kOtherMonitorName);
    const HWND window = StartBar();
    EXPECT_TRUE(WaitForRect(window, RECT{-800, 0, 0, 29})) << Describe(WindowRect(window));
    QuitBar(window);
    EXPECT_EQ(StoredDword("MonitorY"), 0); // was 600
}

// The bar window in this process, for what the shell is asked and what the bar does when told of
// a change.
class OtherMonitor : public BarTest
{
  protected:
    void SetUp() override
    {
        BarTest::SetUp();
        ExpectTwoMonitors();
    }
    static void StoreOtherMonitor()
    {
        StoreDword("MonitorX", DWORD(-800));
        StoreDword("MonitorY", 0);
    }
};

// Where two monitors meet, the one under the cursor decides which edge it is.
TEST_F(OtherMonitor, TheMonitorUnderTheCursorGivesTheOutlineAndTheShellsStrip)
{
    StartBar();
    Calls.clear();
    RECT outline = Drag(POINT{1010, 300}, POINT{-1, 300});
    EXPECT_TRUE(SameRect(outline, RECT{-29, 0, 0, 600})) << Describe(outline);
    EXPECT_EQ(Settings.AppBarMode, 2);
    ASSERT_EQ(Messages(), (std::vector<DWORD>{ABM_QUERYPOS, ABM_SETPOS}));
    EXPECT_TRUE(SameRect(Placement()[0].data.rc, kOtherMonitor))
        << Describe(Placement()[0].data.rc);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{-29, 0, 0, 600}))
        << Describe(WindowRect(BarWindow));
    outline = Drag(POINT{-15, 300}, POINT{0, 300});
    EXPECT_TRUE(SameRect(outline, RECT{0, 0, 29, 768})) << Describe(outline);
    EXPECT_EQ(Settings.AppBarMode, 0);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{0, 0, 29, 768}))
        << Describe(WindowRect(BarWindow));
    QuitBar();
    EXPECT_EQ(StoredDword("MonitorX"), 0);
}

// The taskbar, on the primary, takes nothing from a vertical bar on the other monitor.
TEST_F(OtherMonitor, AnAutoHidingBarThereHidesToItsEdgeWithItsWholeLength)
{
    StoreOtherMonitor();
    StartHiding(0);
    const RECT shown = {-800, 0, -771, 600};
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), shown))
        << Describe(WindowRect(BarWindow)) << ", taskbar " << Describe(Placement()[0].data.rc);
    Tick();
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{-800, 0, -798, 600}))
        << Describe(WindowRect(BarWindow));
    // A program full screen on the primary does not keep the bar in on this monitor.
    const HWND program = OpenOtherWindow(RECT{0, 0, 1024, 768});
    ASSERT_EQ(GetForegroundWindow(), program);
    Touch();
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), shown)) << Describe(WindowRect(BarWindow));
    DestroyWindow(program);
}

// Wine does not tell a running program that a monitor went: with the RandR monitor deleted, every
// process sees both until the wineserver starts again. So the bar's monitor is moved to where no
// monitor is, and the display change comes as Windows sends it.
TEST_F(OtherMonitor, ABarWhoseMonitorWentTakesTheSameEdgeOfThePrimary)
{
    StoreOtherMonitor();
    StoreDword("AppBarMode", 1);
    StartBar();
    ASSERT_TRUE(SameRect(WindowRect(BarWindow), RECT{-800, 0, 0, 29}))
        << Describe(WindowRect(BarWindow));
    Settings.MonitorX = -1600;
    Calls.clear();
    SendMessageA(BarWindow, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{0, 0, 1024, 29}))
        << Describe(WindowRect(BarWindow));
    EXPECT_EQ(Messages(), (std::vector<DWORD>{ABM_QUERYPOS, ABM_SETPOS}));
    lstrcpyA(Settings.MonitorName, kOtherMonitorName); // its corner moved
    SendMessageA(BarWindow, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{-800, 0, 0, 29}))
        << Describe(WindowRect(BarWindow));
}

TEST_F(OtherMonitor, AFullScreenProgramThereLeavesTheBarTopmostOneOnItsMonitorDoesNot)
{
    StartBar();
    for (const RECT &program : {kOtherMonitor, RECT{0, 0, 1024, 768}}) {
        const HWND window = OpenOtherWindow(program);
        EXPECT_EQ(GetWindowLongA(BarWindow, GWL_EXSTYLE) & WS_EX_TOPMOST,
                  program.left < 0 ? WS_EX_TOPMOST : 0);
        DestroyWindow(window);
    }
}

TEST_F(OtherMonitor, AFloatingBarStoredOverTheHoleBelowItComesOntoIt)
{
    StoreDword("FloatMode", 1);
    StoreDword("X", DWORD(-400));
    StoreDword("Y", 500);
    StoreDword("Width", 34);
    StoreDword("Height", 300);
    StartBar();
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{-400, 300, -366, 600}))
        << Describe(WindowRect(BarWindow));
}

} // namespace
