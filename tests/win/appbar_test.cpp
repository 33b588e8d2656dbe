#include <gtest/gtest.h>

#include "barfixture.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "store/settings.h"

namespace
{

using Docking = BarTest;

const std::vector<DWORD> kRegister = {ABM_NEW, ABM_QUERYPOS, ABM_SETPOS};
const std::vector<DWORD> kPosition = {ABM_QUERYPOS, ABM_SETPOS};

TEST_F(Docking, EachEdgeGetsItsStripOfTheDesktop)
{
    for (int edge = 0; edge < 4; ++edge) {
        StoreDword("AppBarMode", DWORD(edge));
        Calls.clear();
        StartBar();
        EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(edge)))
            << "edge " << edge << ": " << Describe(WindowRect(BarWindow));
        ASSERT_EQ(Messages(), kRegister) << "edge " << edge;
        const APPBARDATA set = Placement()[2].data;
        EXPECT_EQ(set.uEdge, UINT(edge));
        EXPECT_TRUE(SameRect(set.rc, DockedRect(edge))) << Describe(set.rc);
        QuitBar();
    }
}

TEST_F(Docking, RegistrationCarriesTheBarAndItsCallback)
{
    StartBar();
    ASSERT_EQ(Messages(), kRegister);
    for (const ShellCall &call : Placement()) {
        EXPECT_EQ(call.data.cbSize, 36u);
        EXPECT_EQ(call.data.hWnd, BarWindow);
        EXPECT_EQ(call.data.uCallbackMessage, UINT(UM_APPBAR_NOTIFY));
        EXPECT_EQ(call.data.lParam, 0);
    }
    const HWND bar = BarWindow;
    Calls.clear();
    QuitBar();
    ASSERT_EQ(Messages(), (std::vector<DWORD>{ABM_REMOVE}));
    EXPECT_EQ(Placement()[0].data.hWnd, bar);
    EXPECT_EQ(Placement()[0].data.uEdge, 2u);
}

// Any stored flag but 0 is auto-hide, for the edge and for the hiding alike.
TEST_F(Docking, AutoHideNeverRegistersAndHides)
{
    for (const int stored : {1, 2}) {
        StoreDword("HideMode", DWORD(stored));
        StoreDword("HideTime", 600000); // the ticks of the test are its own
        MoveCursor(500, 400);
        StartBar();
        ASSERT_EQ(Messages(), (std::vector<DWORD>{ABM_GETTASKBARPOS, ABM_QUERYPOS, ABM_SETPOS}))
            << stored;
        EXPECT_EQ(Placement()[1].data.hWnd, BarWindow);
        Tick();
        EXPECT_TRUE(Hidden()) << stored;
        Calls.clear();
        QuitBar();
        EXPECT_TRUE(Messages().empty());
        DeleteKeyTree(kRootKey);
    }
}

TEST_F(Docking, AVerticalAutoHideBarLeavesRoomForTheTaskbar)
{
    StoreDword("HideMode", 1);
    StoreDword("AppBarMode", 0);
    StartBar();
    ASSERT_EQ(Placement().size(), 3u);
    const RECT taskbar = Placement()[0].data.rc;
    const RECT r = WindowRect(BarWindow);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 29);
    // Of the 768 pixels granted: Wine's shell gives the taskbar as (0, 767, 1024, 768).
    EXPECT_EQ(r.bottom - r.top, 769) << "taskbar " << Describe(taskbar);
}

TEST_F(Docking, AHorizontalAutoHideBarKeepsItsThickness)
{
    StoreDword("HideMode", 1);
    StoreDword("AppBarMode", 3);
    StartBar();
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(3))) << Describe(WindowRect(BarWindow));
}

TEST_F(Docking, SwitchingAutoHideOnAndOffReRegisters)
{
    StartBar();
    Calls.clear();
    Settings.HideMode = 1;
    SwitchHideMode(0);
    EXPECT_EQ(Messages(),
              (std::vector<DWORD>{ABM_REMOVE, ABM_GETTASKBARPOS, ABM_QUERYPOS, ABM_SETPOS}));
    EXPECT_EQ(Settings.HideMode, 1);
    Calls.clear();
    Settings.HideMode = 0;
    SwitchHideMode(1);
    EXPECT_EQ(Messages(), kRegister);
    EXPECT_EQ(Settings.HideMode, 0);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(2)));
}

TEST_F(Docking, ThePositionChangedNoticeRepositionsAndUnknownCodesDoNothing)
{
    StartBar();
    for (WPARAM code : {WPARAM(ABN_WINDOWARRANGE), WPARAM(77)}) {
        Calls.clear();
        EXPECT_EQ(SendMessageA(BarWindow, UM_APPBAR_NOTIFY, code, TRUE), 0);
        EXPECT_TRUE(Calls.empty()) << code;
        EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(2)));
    }
    MoveWindow(BarWindow, 500, 100, 29, 300, TRUE);
    Calls.clear();
    EXPECT_EQ(SendMessageA(BarWindow, UM_APPBAR_NOTIFY, ABN_POSCHANGED, 0), 0);
    EXPECT_EQ(Messages(), kPosition);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(2))) << Describe(WindowRect(BarWindow));
}

TEST_F(Docking, ThePositionChangedNoticeTurnsAFloatingBar)
{
    StoreDword("FloatMode", 1);
    StoreDword("X", 100);
    StoreDword("Y", 80);
    StoreDword("Width", 200);
    StoreDword("Height", 320);
    StartBar();
    ASSERT_TRUE(SameRect(WindowRect(BarWindow), RECT{100, 80, 134, 400}));
    SendMessageA(BarWindow, UM_APPBAR_NOTIFY, ABN_POSCHANGED, 0);
    // 320 x 34 after the exchange, which turns the bar horizontal at its fixed height.
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{100, 80, 420, 131}))
        << Describe(WindowRect(BarWindow));
    EXPECT_EQ(Settings.AppBarMode, 3);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Docking, TheTopmostBandFollowsTheSetting)
{
    StartBar();
    Settings.TopMode = 0;
    ApplyTopMode();
    EXPECT_EQ(GetWindowLongA(BarWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    Settings.TopMode = 1;
    ApplyTopMode();
    EXPECT_NE(GetWindowLongA(BarWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(Docking, TheTaskbarMarginFollowsTheTaskbarsState)
{
    StartBar();
    APPBARDATA query = {};
    query.cbSize = sizeof query;
    query.hWnd = FindWindowA("Shell_TrayWnd", nullptr);
    // Wine's taskbar always says it hides itself: the wide margin.
    ASSERT_NE(SHAppBarMessage(ABM_GETSTATE, &query) & ABS_AUTOHIDE, 0u);
    Calls.clear();
    EXPECT_EQ(QueryTaskbarMargin(), 30);
    ASSERT_EQ(Calls.size(), 1u);
    EXPECT_EQ(Calls[0].message, DWORD(ABM_GETSTATE));
    EXPECT_EQ(Calls[0].data.hWnd, query.hWnd);
    EXPECT_EQ(Calls[0].data.cbSize, 36u);
}

TEST_F(Docking, AFloatingBarHasTheSmallMarginAndAsksNothing)
{
    StoreDword("FloatMode", 1);
    StartBar();
    Calls.clear();
    EXPECT_EQ(QueryTaskbarMargin(), 4);
    EXPECT_TRUE(Calls.empty());
}

// The shell reports full-screen programs only to the bars it knows; an auto-hiding bar looks at
// the foreground window itself.
using FullScreen = BarTest;

TEST_F(FullScreen, ATopmostBarStepsBehindTheProgramWhileItLasts)
{
    StartBar(); // topmost by default
    const HWND program = OpenOtherWindow(RECT{0, 0, 1024, 768});
    Calls.clear();
    EXPECT_EQ(SendMessageA(BarWindow, UM_APPBAR_NOTIFY, ABN_FULLSCREENAPP, TRUE), 0);
    EXPECT_EQ(GetWindowLongA(BarWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindow(BarWindow, GW_HWNDNEXT), nullptr); // at the bottom of the z-order
    SendMessageA(BarWindow, UM_APPBAR_NOTIFY, ABN_FULLSCREENAPP, FALSE);
    EXPECT_NE(GetWindowLongA(BarWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetActiveWindow(), program);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(2)));
    EXPECT_TRUE(Messages().empty());
    DestroyWindow(program);
}

// Without the shell's notice: the bar follows the foreground window as it changes.
TEST_F(FullScreen, ACaptionlessWindowOverTheMonitorInFrontPutsATopmostBarBehindIt)
{
    StartBar();
    const HWND program = OpenOtherWindow(RECT{0, 0, 1024, 768});
    EXPECT_EQ(GetWindowLongA(BarWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    const HWND captioned = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                           1024, 768, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(captioned);
    Pump(50);
    EXPECT_NE(GetWindowLongA(BarWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    DestroyWindow(captioned);
    DestroyWindow(program);
}

TEST_F(FullScreen, AHiddenBarDoesNotComeOutOverIt)
{
    StartHiding();
    Tick();
    const HWND program = OpenOtherWindow(RECT{0, 0, 1024, 768});
    ASSERT_EQ(GetForegroundWindow(), program);
    EXPECT_EQ(Touch(), 0);
    EXPECT_TRUE(Hidden());
    MoveWindow(program, 100, 100, 600, 400, TRUE); // back in a window
    Touch();
    EXPECT_FALSE(Hidden());
    DestroyWindow(program);
}

// Explorer restarting: the registration it held is dropped from outside the bar, as its end
// drops it, and its new start broadcasts "TaskbarCreated" to every top-level window.
using ShellRestart = BarTest;

void BroadcastRestart()
{
    BarTest::Calls.clear();
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    Pump(200);
}

// The right side of the strip offered to a bar that registers now on the right edge; the shell
// makes way only for bars registered before the asking one.
LONG OfferedRightToANewBar()
{
    APPBARDATA query = {};
    query.cbSize = sizeof query;
    query.hWnd =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(SHAppBarMessage(ABM_NEW, &query), 1u);
    query.uEdge = ABE_RIGHT;
    SetRect(&query.rc, 0, 0, 1024, 768);
    SHAppBarMessage(ABM_QUERYPOS, &query);
    SHAppBarMessage(ABM_REMOVE, &query);
    DestroyWindow(query.hWnd);
    return query.rc.right;
}

TEST_F(ShellRestart, ADockedBarRegistersAgainAndKeepsItsStrip)
{
    StartBar();
    APPBARDATA dropped = {};
    dropped.cbSize = sizeof dropped;
    dropped.hWnd = BarWindow;
    SHAppBarMessage(ABM_REMOVE, &dropped);
    ASSERT_EQ(OfferedRightToANewBar(), 1024);
    BroadcastRestart();
    EXPECT_EQ(Messages(), kRegister);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(2))) << Describe(WindowRect(BarWindow));
    EXPECT_EQ(OfferedRightToANewBar(), 995);
}

TEST_F(ShellRestart, AnAutoHidingBarReadsTheTaskbarAgainAFloatingOneDoesNothing)
{
    StartHiding(3);
    Tick();
    BroadcastRestart();
    EXPECT_EQ(Messages(), (std::vector<DWORD>{ABM_GETTASKBARPOS, ABM_QUERYPOS, ABM_SETPOS}));
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{0, 766, 1024, 768}));
    Touch();
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(3))) << Describe(WindowRect(BarWindow));
    QuitBar();
    StoreDword("FloatMode", 1);
    StartBar();
    const RECT floating = WindowRect(BarWindow);
    BroadcastRestart();
    EXPECT_TRUE(Calls.empty());
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), floating));
}

// What Windows asks of a registered bar, and the taskbar's change of state.
using AppBarDuties = BarTest;

// The requests of this message made with the bar's record.
size_t Reports(DWORD message)
{
    size_t count = 0;
    for (const ShellCall &call : BarTest::Calls)
        count += call.message == message && call.data.hWnd == BarWindow && call.data.cbSize == 36;
    return count;
}

// Another program is active; then the user activates the bar.
void ActivateAfterAnotherWindow()
{
    const HWND other = OpenOtherWindow(RECT{100, 100, 300, 300});
    BarTest::Calls.clear();
    SetForegroundWindow(BarWindow);
    Pump(50);
    DestroyWindow(other);
}

TEST_F(AppBarDuties, OnlyARegisteredBarReportsItsActivationAndItsMoves)
{
    StartBar();
    ActivateAfterAnotherWindow();
    EXPECT_EQ(Reports(ABM_ACTIVATE), 1u);
    Calls.clear();
    MoveWindow(BarWindow, 500, 100, 29, 300, TRUE);
    EXPECT_EQ(Reports(ABM_WINDOWPOSCHANGED), 1u);
    Settings.HideMode = 1;
    SwitchHideMode(0); // the registration is removed
    ActivateAfterAnotherWindow();
    MoveWindow(BarWindow, 400, 100, 29, 300, TRUE);
    EXPECT_EQ(Reports(ABM_ACTIVATE) + Reports(ABM_WINDOWPOSCHANGED), 0u);
}

TEST_F(AppBarDuties, TheStateChangeNoticeReadsTheTaskbarAndLaysTheBarOutAgain)
{
    StartBar();
    Calls.clear();
    EXPECT_EQ(SendMessageA(BarWindow, UM_APPBAR_NOTIFY, ABN_STATECHANGE, 0), 0);
    ASSERT_EQ(Calls.size(), 1u);
    EXPECT_EQ(Calls[0].message, DWORD(ABM_GETSTATE));
}

} // namespace
