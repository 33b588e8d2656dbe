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

TEST_F(Docking, AutoHideNeverRegisters)
{
    StoreDword("HideMode", 1);
    StartBar();
    ASSERT_EQ(Messages(), (std::vector<DWORD>{ABM_GETTASKBARPOS, ABM_QUERYPOS, ABM_SETPOS}));
    EXPECT_EQ(Placement()[1].data.hWnd, BarWindow);
    Calls.clear();
    QuitBar();
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Docking, AVerticalAutoHideBarLeavesRoomForTheTaskbar)
{
    StoreDword("HideMode", 1);
    StoreDword("AppBarMode", 0);
    StartBar();
    ASSERT_EQ(Placement().size(), 3u);
    const RECT taskbar = Placement()[0].data.rc;
    const RECT granted = Placement()[2].data.rc;
    const LONG taskbarHeight = taskbar.bottom - taskbar.top;
    const LONG grantedHeight = granted.bottom - granted.top;
    const LONG expected =
        taskbarHeight * 2 >= grantedHeight ? grantedHeight : grantedHeight - taskbarHeight + 2;
    const RECT r = WindowRect(BarWindow);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 29);
    EXPECT_EQ(r.bottom - r.top, expected) << "taskbar " << Describe(taskbar);
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
    HideMode = 1;
    SwitchHideMode(0);
    EXPECT_EQ(Messages(),
              (std::vector<DWORD>{ABM_REMOVE, ABM_GETTASKBARPOS, ABM_QUERYPOS, ABM_SETPOS}));
    EXPECT_EQ(HideMode, 1);
    Calls.clear();
    HideMode = 0;
    SwitchHideMode(1);
    EXPECT_EQ(Messages(), kRegister);
    EXPECT_EQ(HideMode, 0);
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
    EXPECT_EQ(AppBarMode, 3);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Docking, TheTopmostBandFollowsTheSetting)
{
    StartBar();
    TopMode = 0;
    ApplyTopMode();
    EXPECT_EQ(GetWindowLongA(BarWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    TopMode = 1;
    ApplyTopMode();
    EXPECT_NE(GetWindowLongA(BarWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(Docking, TheTaskbarMarginFollowsTheTaskbarsState)
{
    StartBar();
    APPBARDATA query = {};
    query.cbSize = sizeof query;
    query.hWnd = FindWindowA("Shell_TrayWnd", nullptr);
    const bool autoHides = (SHAppBarMessage(ABM_GETSTATE, &query) & ABS_AUTOHIDE) != 0;
    Calls.clear();
    EXPECT_EQ(QueryTaskbarMargin(), autoHides ? 30 : 4);
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

// The shell reports full-screen programs to the bars it knows; the bar is shown one that covers
// the desktop.
using FullScreen = BarTest;

bool Topmost()
{
    return (GetWindowLongA(BarWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

TEST_F(FullScreen, ATopmostBarStepsBehindTheProgramWhileItLasts)
{
    StoreDword("TopMode", 1);
    StartBar();
    ASSERT_TRUE(Topmost());
    const HWND program = OpenOtherWindow(RECT{0, 0, 1024, 768});
    Calls.clear();
    EXPECT_EQ(SendMessageA(BarWindow, UM_APPBAR_NOTIFY, ABN_FULLSCREENAPP, TRUE), 0);
    EXPECT_FALSE(Topmost());
    EXPECT_EQ(GetWindow(BarWindow, GW_HWNDNEXT), nullptr); // at the bottom of the z-order
    EXPECT_EQ(GetActiveWindow(), program);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(2)));
    EXPECT_EQ(SendMessageA(BarWindow, UM_APPBAR_NOTIFY, ABN_FULLSCREENAPP, FALSE), 0);
    EXPECT_TRUE(Topmost());
    EXPECT_EQ(GetActiveWindow(), program);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(2)));
    EXPECT_EQ(TopMode, 1);
    EXPECT_TRUE(Messages().empty());
    DestroyWindow(program);
}

TEST_F(FullScreen, ABarOutsideTheTopmostBandStaysWhereItIs)
{
    StoreDword("TopMode", 0);
    StartBar();
    const HWND program = OpenOtherWindow(RECT{0, 0, 1024, 768});
    const HWND below = GetWindow(BarWindow, GW_HWNDNEXT);
    SendMessageA(BarWindow, UM_APPBAR_NOTIFY, ABN_FULLSCREENAPP, TRUE);
    EXPECT_EQ(GetWindow(BarWindow, GW_HWNDNEXT), below);
    SendMessageA(BarWindow, UM_APPBAR_NOTIFY, ABN_FULLSCREENAPP, FALSE);
    EXPECT_EQ(GetWindow(BarWindow, GW_HWNDNEXT), below);
    EXPECT_FALSE(Topmost());
    EXPECT_EQ(GetActiveWindow(), program);
    DestroyWindow(program);
}

TEST_F(FullScreen, AHiddenBarDoesNotComeOutOverIt)
{
    StartHiding();
    Tick();
    ASSERT_TRUE(Hidden());
    const HWND program = OpenOtherWindow(RECT{0, 0, 1024, 768});
    ASSERT_EQ(GetForegroundWindow(), program);
    EXPECT_EQ(Touch(), 0);
    EXPECT_TRUE(Hidden());
    MoveWindow(program, 100, 100, 600, 400, TRUE); // back in a window
    Touch();
    EXPECT_FALSE(Hidden());
    DestroyWindow(program);
}

// Explorer restarting: the registrations it held are dropped from outside the bar, as its end
// drops them, and the message its new start broadcasts goes to every top-level window.
class ShellRestart : public BarTest
{
  protected:
    static void DropRegistration()
    {
        APPBARDATA dropped = {};
        dropped.cbSize = sizeof dropped;
        dropped.hWnd = BarWindow;
        SHAppBarMessage(ABM_REMOVE, &dropped);
        Pump(50);
    }
    static void BroadcastRestart()
    {
        Calls.clear();
        PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
        Pump(200);
    }
    static void RestartShell()
    {
        DropRegistration();
        BroadcastRestart();
    }
};

// The right side of the strip the shell offers a bar that registers now on the right edge. The
// shell makes way only for bars registered before the asking one.
LONG OfferedRightToANewBar()
{
    const HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       nullptr, nullptr);
    APPBARDATA query = {};
    query.cbSize = sizeof query;
    query.hWnd = other;
    query.uCallbackMessage = WM_APP;
    EXPECT_EQ(SHAppBarMessage(ABM_NEW, &query), 1u);
    query.uEdge = ABE_RIGHT;
    SetRect(&query.rc, 0, 0, 1024, 768);
    SHAppBarMessage(ABM_QUERYPOS, &query);
    SHAppBarMessage(ABM_REMOVE, &query);
    DestroyWindow(other);
    return query.rc.right;
}

TEST_F(ShellRestart, ADockedBarRegistersAgainAndKeepsItsStrip)
{
    StartBar();
    ASSERT_EQ(OfferedRightToANewBar(), 995);
    DropRegistration();
    ASSERT_EQ(OfferedRightToANewBar(), 1024);
    BroadcastRestart();
    EXPECT_EQ(Messages(), kRegister);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(2))) << Describe(WindowRect(BarWindow));
    EXPECT_EQ(OfferedRightToANewBar(), 995);
}

TEST_F(ShellRestart, AnAutoHidingBarReadsTheTaskbarAgainAndStaysHidden)
{
    StartHiding(3);
    Tick();
    RestartShell();
    EXPECT_EQ(Messages(), (std::vector<DWORD>{ABM_GETTASKBARPOS, ABM_QUERYPOS, ABM_SETPOS}));
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{0, 766, 1024, 768}))
        << Describe(WindowRect(BarWindow));
    Touch();
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(3))) << Describe(WindowRect(BarWindow));
}

TEST_F(ShellRestart, AFloatingBarDoesNothing)
{
    StoreDword("FloatMode", 1);
    StartBar();
    const RECT floating = WindowRect(BarWindow);
    RestartShell();
    EXPECT_TRUE(Calls.empty());
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), floating));
}

// What Windows asks of a registered bar, and the taskbar's change of state.
using AppBarDuties = BarTest;

std::vector<ShellCall> CallsOf(DWORD message)
{
    std::vector<ShellCall> found;
    for (const ShellCall &call : BarTest::Calls)
        if (call.message == message)
            found.push_back(call);
    return found;
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

TEST_F(AppBarDuties, ARegisteredBarReportsItsActivationAndItsMoves)
{
    StartBar();
    ActivateAfterAnotherWindow();
    ASSERT_EQ(CallsOf(ABM_ACTIVATE).size(), 1u);
    EXPECT_EQ(CallsOf(ABM_ACTIVATE)[0].data.hWnd, BarWindow);
    EXPECT_EQ(CallsOf(ABM_ACTIVATE)[0].data.cbSize, 36u);
    Calls.clear();
    MoveWindow(BarWindow, 500, 100, 29, 300, TRUE);
    ASSERT_EQ(CallsOf(ABM_WINDOWPOSCHANGED).size(), 1u);
    EXPECT_EQ(CallsOf(ABM_WINDOWPOSCHANGED)[0].data.hWnd, BarWindow);
}

TEST_F(AppBarDuties, ABarTheShellDoesNotKnowReportsNothing)
{
    StartHiding(); // never registered
    ActivateAfterAnotherWindow();
    MoveWindow(BarWindow, 500, 100, 29, 300, TRUE);
    EXPECT_TRUE(CallsOf(ABM_ACTIVATE).empty());
    EXPECT_TRUE(CallsOf(ABM_WINDOWPOSCHANGED).empty());
    QuitBar();
    StoreDword("HideMode", 0);
    StartBar();
    MoveCursor(1010, 300);
    SendMessageA(BarWindow, WM_ENTERSIZEMOVE, 0, 0);
    MoveCursor(500, 400);
    SendMessageA(BarWindow, WM_EXITSIZEMOVE, 0, 0); // floats: the registration is removed
    ASSERT_EQ(FloatMode, 1);
    ActivateAfterAnotherWindow();
    MoveWindow(BarWindow, 300, 200, 34, 300, TRUE);
    EXPECT_TRUE(CallsOf(ABM_ACTIVATE).empty());
    EXPECT_TRUE(CallsOf(ABM_WINDOWPOSCHANGED).empty());
}

TEST_F(AppBarDuties, TheStateChangeNoticeReadsTheTaskbarAndLaysTheBarOutAgain)
{
    StartBar();
    Calls.clear();
    EXPECT_EQ(SendMessageA(BarWindow, UM_APPBAR_NOTIFY, ABN_STATECHANGE, 0), 0);
    ASSERT_EQ(Calls.size(), 1u);
    EXPECT_EQ(Calls[0].message, DWORD(ABM_GETSTATE));
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(2)));
}


} // namespace
