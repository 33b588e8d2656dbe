#include <gtest/gtest.h>

#include "barfixture.h"
#include "res/resource.h"
#include "shell/barwnd.h"
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
    const RECT r = WindowRect(BarWindow);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 29);
    // Of the 768 pixels granted: Wine's shell gives the taskbar as (0, 767, 1024, 768).
    EXPECT_EQ(r.bottom - r.top, 769) << "taskbar " << Describe(taskbar);
    EXPECT_TRUE(SameRect(ShownRect, r));
    EXPECT_TRUE(SameRect(HiddenRect, RECT{0, 0, 2, r.bottom}));
}

TEST_F(Docking, AHorizontalAutoHideBarKeepsItsThickness)
{
    StoreDword("HideMode", 1);
    StoreDword("AppBarMode", 3);
    StartBar();
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(3))) << Describe(WindowRect(BarWindow));
    EXPECT_TRUE(SameRect(HiddenRect, RECT{0, 766, 1024, 768}));
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
    EXPECT_TRUE(SameRect(ShownRect, WindowRect(BarWindow)));
    Calls.clear();
    HideMode = 0;
    SwitchHideMode(1);
    EXPECT_EQ(Messages(), kRegister);
    EXPECT_EQ(HideMode, 0);
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(2)));
}

TEST_F(Docking, ThePositionChangedNoticeRepositionsAndOthersDoNothing)
{
    StartBar();
    for (WPARAM code : {WPARAM(ABN_STATECHANGE), WPARAM(ABN_FULLSCREENAPP),
                        WPARAM(ABN_WINDOWARRANGE), WPARAM(77)}) {
        Calls.clear();
        EXPECT_EQ(SendMessageA(BarWindow, UM_APPBAR_NOTIFY, code, 0), 0);
        EXPECT_TRUE(Messages().empty()) << code;
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

} // namespace
