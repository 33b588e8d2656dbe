#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "barfixture.h"
#include "panel/panel.h"
#include "panel/strips.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "store/settings.h"
#include "store/slots.h"

namespace
{

class Panel : public BarTest
{
  protected:
    static void Register(int slot, const char *file, const char *title = "")
    {
        StoreRecord(kFileKey, slot, file);
        StoreRecord(kTitleKey, slot, title);
    }
    static std::vector<HWND> Buttons()
    {
        std::vector<HWND> buttons;
        for (HWND child = GetWindow(ButtonPanel, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT))
            buttons.push_back(child);
        return buttons;
    }
    static int FirstId() { return GetDlgCtrlID(Buttons().front()); }
    static std::vector<HWND> Tooltips()
    {
        std::vector<HWND> found;
        EnumThreadWindows(GetCurrentThreadId(), CollectTooltip, reinterpret_cast<LPARAM>(&found));
        return found;
    }
    // The tooltip window whose tools are the panel's buttons (the toolbar has one of its own).
    static HWND PanelTooltip()
    {
        for (HWND tooltip : Tooltips()) {
            TOOLINFOA tool = {};
            tool.cbSize = TTTOOLINFOA_V2_SIZE;
            if (SendMessageA(tooltip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool)) &&
                tool.hwnd == ButtonPanel)
                return tooltip;
        }
        return nullptr;
    }
    static int CountTooltips() { return int(Tooltips().size()); }
    // The text of this thread's tip that is showing; empty when none is.
    static std::string ShownTip()
    {
        for (HWND tooltip : Tooltips())
            if (IsWindowVisible(tooltip)) {
                char text[256] = "";
                SendMessageA(tooltip, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
                return text;
            }
        return "";
    }
    static std::string ToolText(HWND tooltip, HWND button)
    {
        char text[256] = "";
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = ButtonPanel;
        tool.uId = reinterpret_cast<UINT_PTR>(button);
        tool.lpszText = text;
        SendMessageA(tooltip, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
        return text;
    }
    // Puts the real pointer on the middle of the button, which then sees the move.
    static void PointAt(HWND button, int nudge = 0)
    {
        const RECT r = WindowRect(button);
        MoveCursor((r.left + r.right) / 2 + nudge, (r.top + r.bottom) / 2);
    }

  private:
    static BOOL CALLBACK CollectTooltip(HWND window, LPARAM found)
    {
        char name[32];
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0)
            reinterpret_cast<std::vector<HWND> *>(found)->push_back(window);
        return TRUE;
    }
};

TEST_F(Panel, AVerticalBarHoldsAsManyButtonsAsFitItsLength)
{
    StartBar();
    // A client area of 27 x 766; below the strips' 104 pixels and Wine's taskbar margin of 30
    // there is room for 28 buttons of 22.
    const int expected = 28;
    ASSERT_EQ(ButtonsPerPage, expected);
    const std::vector<HWND> buttons = Buttons();
    ASSERT_EQ(int(buttons.size()), expected);
    RECT panel = WindowRect(ButtonPanel);
    MapWindowPoints(nullptr, BarWindow, reinterpret_cast<POINT *>(&panel), 2);
    EXPECT_TRUE(SameRect(panel, RECT{2, 104, 25, 766})) << Describe(panel);
    for (int i = 0; i < expected; ++i) {
        HWND button = GetDlgItem(ButtonPanel, i);
        ASSERT_NE(button, nullptr) << i;
        RECT r = WindowRect(button);
        MapWindowPoints(nullptr, ButtonPanel, reinterpret_cast<POINT *>(&r), 2);
        EXPECT_TRUE(SameRect(r, RECT{0, 4 + 22 * i, 23, 26 + 22 * i})) << i << Describe(r);
        EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & (WS_CHILD | WS_VISIBLE | BS_ICON),
                  WS_CHILD | WS_VISIBLE | BS_ICON);
        EXPECT_NE(GetWindowLongA(button, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    }
}

TEST_F(Panel, AHorizontalBarLaysItsButtonsSideBySide)
{
    StoreDword("AppBarMode", 3);
    StartBar();
    EXPECT_EQ(ButtonsPerPage, 39); // 1022 pixels less the strips' 104 and a margin of 4, by 23
    RECT r = WindowRect(GetDlgItem(ButtonPanel, 2));
    MapWindowPoints(nullptr, ButtonPanel, reinterpret_cast<POINT *>(&r), 2);
    EXPECT_TRUE(SameRect(r, RECT{50, 4, 73, 26})) << Describe(r);
}

static int IconWidth(HICON icon)
{
    ICONINFO info = {};
    BITMAP picture = {};
    if (!icon || !GetIconInfo(icon, &info))
        return 0;
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof picture, &picture);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return picture.bmWidth;
}

// Announced as Windows announces it to a bar moved to a monitor of another scale: the bar keeps
// its edge, not the rectangle proposed.
TEST_F(Panel, ADpiChangeGivesTheBarItsSizesAtThatDpi)
{
    Register(0, "C:\\windows\\notepad.exe", "Notepad");
    StartBar();
    EXPECT_EQ(IconWidth(ButtonIcon(0)), 16);
    const HWND toolbar = GetDlgItem(CommandStrip, IDC_COMMAND_TOOLBAR);
    const LRESULT size96 = SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0);
    struct {
        int dpi, thickness, perPage, buttonWidth, buttonHeight, inset, icon;
    } const cases[] = {{144, 44, 17, 35, 33, 6, 24}, {192, 58, 11, 46, 44, 8, 32}};
    for (const auto &c : cases) {
        Calls.clear();
        RECT proposed = {100, 100, 400, 400};
        SendMessageA(BarWindow, WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi),
                     reinterpret_cast<LPARAM>(&proposed));
        EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{1024 - c.thickness, 0, 1024, 768}))
            << c.dpi << Describe(WindowRect(BarWindow));
        EXPECT_EQ(Messages(), (std::vector<DWORD>{ABM_QUERYPOS, ABM_SETPOS})) << c.dpi;
        EXPECT_EQ(ButtonsPerPage, c.perPage) << c.dpi;
        RECT r = WindowRect(GetDlgItem(ButtonPanel, 1));
        MapWindowPoints(nullptr, ButtonPanel, reinterpret_cast<POINT *>(&r), 2);
        const int top = c.inset + c.buttonHeight;
        EXPECT_TRUE(SameRect(r, RECT{0, top, c.buttonWidth, top + c.buttonHeight}))
            << c.dpi << Describe(r);
        EXPECT_EQ(IconWidth(ButtonIcon(0)), c.icon) << c.dpi;
        const HWND newToolbar = GetDlgItem(CommandStrip, IDC_COMMAND_TOOLBAR);
        EXPECT_EQ(LOWORD(SendMessageA(newToolbar, TB_GETBUTTONSIZE, 0, 0)),
                  LOWORD(size96) + c.icon - 16) << c.dpi;
    }
}

TEST_F(Panel, AnAutoHidingBarKeepsItsPanelOutAndInAndANewLengthBuildsANewOne)
{
    Register(0, "C:\\windows\\notepad.exe", "Notepad");
    StartHiding();
    const HWND panel = ButtonPanel;
    const std::vector<HWND> buttons = Buttons();
    const HICON icon = ButtonIcon(0);
    ASSERT_EQ(int(buttons.size()), 28);
    Tick();
    ASSERT_TRUE(Hidden());
    EXPECT_EQ(ButtonPanel, panel);
    Calls.clear();
    Touch();
    ASSERT_FALSE(Hidden());
    EXPECT_EQ(ButtonPanel, panel);
    // The taskbar's state, which may have changed meanwhile, is asked once the bar is out.
    EXPECT_TRUE(Calls.empty());
    Pump(50);
    ASSERT_EQ(Calls.size(), 1u);
    EXPECT_EQ(Calls[0].message, DWORD(ABM_GETSTATE));
    EXPECT_EQ(Buttons(), buttons);
    EXPECT_EQ(SendMessageA(buttons[0], BM_GETIMAGE, IMAGE_ICON, 0), LPARAM(icon));
    EXPECT_TRUE(IsIcon(icon));
    EXPECT_EQ(ToolText(PanelTooltip(), buttons[0]), "Notepad");
    RECT placed = WindowRect(panel);
    MapWindowPoints(nullptr, BarWindow, reinterpret_cast<POINT *>(&placed), 2);
    EXPECT_TRUE(SameRect(placed, RECT{2, 104, 25, 767})) << Describe(placed);
    // 498 pixels of client area hold 16 buttons.
    MoveWindow(BarWindow, 995, 0, 29, 500, TRUE);
    EXPECT_FALSE(IsWindow(panel));
    EXPECT_FALSE(IsIcon(icon));
    EXPECT_EQ(ButtonsPerPage, 16);
    EXPECT_EQ(int(Buttons().size()), 16);
}

TEST_F(Panel, PagesTurnBothWaysAndWrap)
{
    StoreDword("MaxPage", 2);
    StartBar();
    const int perPage = ButtonsPerPage;
    SendMessageA(BarWindow, WM_COMMAND, IDM_NEXT_PAGE, 0);
    EXPECT_EQ(Settings.DispPage, 1);
    EXPECT_EQ(FirstId(), perPage);
    SendMessageA(BarWindow, WM_COMMAND, IDM_NEXT_PAGE, 0);
    SendMessageA(BarWindow, WM_COMMAND, IDM_NEXT_PAGE, 0);
    EXPECT_EQ(Settings.DispPage, 0);
    SendMessageA(BarWindow, WM_COMMAND, IDM_PREVIOUS_PAGE, 0);
    EXPECT_EQ(Settings.DispPage, 2);
    EXPECT_EQ(FirstId(), 2 * perPage);
    EXPECT_EQ(int(Buttons().size()), perPage);
    QuitBar();
    EXPECT_EQ(StoredDword("DispPage"), 2);
}

TEST_F(Panel, WithASinglePageBothCommandsShowPageZero)
{
    StoreDword("MaxPage", 0);
    StartBar();
    for (WPARAM command : {IDM_NEXT_PAGE, IDM_PREVIOUS_PAGE}) {
        const HWND before = ButtonPanel;
        SendMessageA(BarWindow, WM_COMMAND, command, 0);
        EXPECT_EQ(Settings.DispPage, 0);
        EXPECT_NE(ButtonPanel, before); // rebuilt all the same
    }
}

TEST_F(Panel, AStoredPageBeyondTheLastIsShownAndNextLeadsToZero)
{
    StoreDword("DispPage", 1000);
    StartBar();
    EXPECT_EQ(FirstId(), 1000 * ButtonsPerPage);
    SendMessageA(BarWindow, WM_COMMAND, IDM_NEXT_PAGE, 0);
    EXPECT_EQ(Settings.DispPage, 0);
    EXPECT_EQ(FirstId(), 0);
}

TEST_F(Panel, UnknownCommandsChangeNothing)
{
    StartBar();
    const HWND before = ButtonPanel;
    EXPECT_EQ(SendMessageA(BarWindow, WM_COMMAND, 40099, 0), 0);
    EXPECT_EQ(ButtonPanel, before);
    EXPECT_EQ(Settings.DispPage, 0);
}

TEST_F(Panel, TitlesBecomeTooltipsAndFilesIcons)
{
    const std::string notepad = "C:\\windows\\notepad.exe";
    Register(0, notepad.c_str(), "Notepad");
    Register(1, "C:\\nowhere\\gone.exe", "Gone");
    StartBar();
    const HWND tooltip = PanelTooltip();
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), ButtonsPerPage);
    const char *expected[] = {"Notepad", "Gone", ""};
    for (int i = 0; i < 3; ++i) {
        char text[256] = "x";
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = ButtonPanel;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(ButtonPanel, i));
        tool.lpszText = text;
        SendMessageA(tooltip, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(text, expected[i]) << i;
    }
    EXPECT_NE(ButtonIcon(0), nullptr);
    EXPECT_EQ(ButtonIcon(1), nullptr); // registered, though the shell has no icon for it
    EXPECT_EQ(ButtonIcon(2), nullptr);
}

TEST_F(Panel, HostileRecordsShowBlankButtons)
{
    Register(0, "Q:\\no drive\\x.exe");
    Register(1, "\\\\nohost\\share\\x.exe");
    const DWORD number = 0x2E657865;
    StoreRaw(kFileKey, "2", REG_DWORD, &number, 4);
    const std::string huge(4000, 'h');
    StoreRaw(kFileKey, "3", REG_SZ, huge.c_str(), DWORD(huge.size() + 1));
    StoreRaw(kTitleKey, "3", REG_SZ, huge.c_str(), DWORD(huge.size() + 1));
    StoreRaw(kFileKey, "4", REG_BINARY, huge.data(), 256); // no terminator
    StartBar();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(SendMessageA(GetDlgItem(ButtonPanel, i), BM_GETIMAGE, IMAGE_ICON, 0), 0) << i;
}

TEST_F(Panel, ARebuildGivesBackEveryIconAndTooltip)
{
    Register(0, "C:\\windows\\notepad.exe");
    Register(2, "C:\\windows");
    StartBar();
    const HICON first = ButtonIcon(0), second = ButtonIcon(2);
    ASSERT_TRUE(IsIcon(first));
    const int tooltips = CountTooltips();
    Rebuild();
    EXPECT_FALSE(IsIcon(first));
    EXPECT_FALSE(IsIcon(second));
    EXPECT_EQ(CountTooltips(), tooltips);
}

TEST_F(Panel, PointingAtAButtonShowsItsTitleAndARebuildTakesTheTipAway)
{
    Register(3, "C:\\windows\\notepad.exe", "Notepad");
    StartBar();
    PointAt(GetDlgItem(ButtonPanel, 3));
    EXPECT_TRUE(PumpUntil([] { return ShownTip() == "Notepad"; }, 3000)) << ShownTip();
    Register(3, "C:\\windows\\notepad.exe", "Editor");
    Rebuild();
    EXPECT_EQ(ShownTip(), "");
    PointAt(GetDlgItem(ButtonPanel, 3), 1);
    EXPECT_TRUE(PumpUntil([] { return ShownTip() == "Editor"; }, 3000)) << ShownTip();
    MoveCursor(500, 400);
}

TEST_F(Panel, EachPanelBringsItsToolsAndTakesThemAway)
{
    StoreDword("MaxPage", 2);
    Register(1, "C:\\windows\\notepad.exe", "Notepad");
    StartBar();
    for (int i = 0; i < 3; ++i) {
        RebuildPanel();
        SendMessageA(BarWindow, WM_COMMAND, IDM_NEXT_PAGE, 0);
    }
    ASSERT_EQ(Settings.DispPage, 0);
    const HWND tooltip = PanelTooltip();
    ASSERT_NE(tooltip, nullptr);
    ASSERT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), ButtonsPerPage);
    for (int i = 0; i < ButtonsPerPage; ++i) {
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        ASSERT_TRUE(SendMessageA(tooltip, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool)));
        EXPECT_EQ(tool.hwnd, ButtonPanel);
        EXPECT_EQ(GetParent(reinterpret_cast<HWND>(tool.uId)), ButtonPanel) << i;
    }
    EXPECT_EQ(ToolText(tooltip, GetDlgItem(ButtonPanel, 1)), "Notepad");
    QuitBar();
    EXPECT_EQ(CountTooltips(), 0);
}

TEST_F(Panel, ARebuildReadsRecordsStoredAfterTheirKeysWereRemoved)
{
    Register(0, "C:\\windows\\notepad.exe", "Notepad");
    StartBar();
    DeleteKeyTree(kFileKey);
    DeleteKeyTree(kTitleKey);
    Register(0, "C:\\windows", "Windows");
    Rebuild();
    EXPECT_EQ(ToolText(PanelTooltip(), GetDlgItem(ButtonPanel, 0)), "Windows");
    EXPECT_NE(SendMessageA(GetDlgItem(ButtonPanel, 0), BM_GETIMAGE, IMAGE_ICON, 0), 0);
}

} // namespace
