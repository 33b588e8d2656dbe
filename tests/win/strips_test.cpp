#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "barfixture.h"
#include "panel/panel.h"
#include "panel/strips.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "store/settings.h"

namespace
{

class Strips : public BarTest
{
  protected:
    static HWND Toolbar() { return GetDlgItem(CommandStrip, IDC_COMMAND_TOOLBAR); }
    // A child's rectangle in the bar's client area.
    static RECT InBar(HWND child)
    {
        RECT r = WindowRect(child);
        MapWindowPoints(nullptr, BarWindow, reinterpret_cast<POINT *>(&r), 2);
        return r;
    }
    // As the toolbar asks the strip, which is a Unicode window, in UTF-16.
    static std::wstring TipFor(UINT_PTR command)
    {
        NMTTDISPINFOW tip = {};
        tip.hdr.code = TTN_NEEDTEXTW;
        tip.hdr.idFrom = command;
        wchar_t untouched[] = L"untouched";
        tip.lpszText = untouched;
        SendMessageW(CommandStrip, WM_NOTIFY, IDC_COMMAND_TOOLBAR, reinterpret_cast<LPARAM>(&tip));
        return tip.lpszText;
    }
};

TEST_F(Strips, TheToolbarHoldsFourPictureButtonsInOrder)
{
    StartBar();
    const HWND toolbar = Toolbar();
    ASSERT_NE(toolbar, nullptr);
    // The control itself adds its default alignment bits (CCS_TOP).
    EXPECT_EQ(DWORD(GetWindowLongA(toolbar, GWL_STYLE)) & 0xFFFFFF00u, 0x50800300u);
    ASSERT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 4);
    const int commands[] = {IDM_EXIT, IDM_SETTINGS, IDM_PREVIOUS_PAGE, IDM_NEXT_PAGE};
    for (int i = 0; i < 4; ++i) {
        TBBUTTON button = {};
        SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ(button.idCommand, commands[i]);
        EXPECT_EQ(button.iBitmap, i);
        EXPECT_EQ(button.fsState & TBSTATE_ENABLED, TBSTATE_ENABLED);
        EXPECT_LE(SendMessageA(toolbar, TB_GETBUTTONTEXTA, commands[i], 0), 0); // no labels
    }
    const HWND tips = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tips, nullptr);
    EXPECT_NE(GetWindowLongA(tips, GWL_STYLE) & TTS_ALWAYSTIP, 0);
    EXPECT_EQ(CommandStripSize, 104);
}

TEST_F(Strips, EachButtonHasItsJapaneseTip)
{
    StartBar();
    EXPECT_EQ(TipFor(IDM_EXIT), L"\x7D42\x4E86"); // 終了
    EXPECT_EQ(TipFor(IDM_SETTINGS), kSettingsCaption);
    EXPECT_EQ(TipFor(IDM_PREVIOUS_PAGE), L"\x524D\xFF8D\xFF9F\xFF70\xFF7C\xFF9E"); // 前ﾍﾟｰｼﾞ
    EXPECT_EQ(TipFor(IDM_NEXT_PAGE), L"\x6B21\xFF8D\xFF9F\xFF70\xFF7C\xFF9E"); // 次ﾍﾟｰｼﾞ
    EXPECT_EQ(TipFor(40099), L"untouched");
}

TEST_F(Strips, AVerticalBarStacksStripsPanelAndToolbarButtons)
{
    StartBar();
    // The docked bar's client area is 27 x 766.
    EXPECT_TRUE(SameRect(InBar(CommandStrip), RECT{2, 0, 25, 94}));
    EXPECT_TRUE(SameRect(InBar(GripStrip), RECT{0, 94, 27, 104}));
    EXPECT_TRUE(SameRect(InBar(ButtonPanel), RECT{2, 104, 25, 766}));
    EXPECT_NE(GetWindowLongA(GripStrip, GWL_EXSTYLE) & WS_EX_STATICEDGE, 0);
    RECT previous = {};
    for (int i = 0; i < 4; ++i) {
        RECT r;
        SendMessageA(Toolbar(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
        if (i > 0) {
            EXPECT_EQ(r.left, previous.left);
            EXPECT_GE(r.top, previous.bottom);
        }
        previous = r;
    }
    RECT toolbar = InBar(Toolbar());
    EXPECT_GE(toolbar.bottom - toolbar.top, previous.bottom); // every row shows
}

TEST_F(Strips, AHorizontalBarLaysThemSideBySide)
{
    StoreDword("AppBarMode", 1);
    StartBar();
    // The docked bar's client area is 1022 x 27.
    EXPECT_TRUE(SameRect(InBar(CommandStrip), RECT{0, 0, 94, 27}));
    EXPECT_TRUE(SameRect(InBar(GripStrip), RECT{94, 0, 104, 27}));
    EXPECT_TRUE(SameRect(InBar(ButtonPanel), RECT{104, 0, 1022, 27}));
    EXPECT_EQ(SendMessageA(Toolbar(), TB_GETROWS, 0, 0), 1);
}

TEST_F(Strips, ToolbarCommandsArePostedToTheBar)
{
    StoreDword("MaxPage", 2);
    StartBar();
    SendMessageA(CommandStrip, WM_COMMAND, MAKEWPARAM(IDM_NEXT_PAGE, BN_CLICKED), 0);
    EXPECT_EQ(Settings.DispPage, 0); // not yet: posted
    Pump(50);
    EXPECT_EQ(Settings.DispPage, 1);
    SendMessageA(CommandStrip, WM_COMMAND, IDM_PREVIOUS_PAGE, 0);
    SendMessageA(CommandStrip, WM_COMMAND, IDM_PREVIOUS_PAGE, 0);
    Pump(50);
    EXPECT_EQ(Settings.DispPage, 2);
}

TEST_F(Strips, TheExitCommandQuitsAfterSaving)
{
    StoreDword("AppBarMode", 3);
    StartBar();
    const int quits = QuitMessages;
    PostMessageA(BarWindow, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_TRUE(PumpUntil([&] { return QuitMessages > quits; }, 2000));
    EXPECT_FALSE(IsWindow(BarWindow));
    EXPECT_EQ(StoredDword("AppBarMode"), 3);
    EXPECT_EQ(StoredDword("FloatMode"), 0);
}

TEST_F(Strips, TheBarStaysTopmostWhenItDocksAgain)
{
    StoreDword("FloatMode", 1);
    StartBar();
    MoveCursor(100, 100);
    SendMessageA(BarWindow, WM_ENTERSIZEMOVE, 0, 0);
    MoveCursor(1023, 300);
    Pump(100);
    SendMessageA(BarWindow, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(Settings.FloatMode, 0);
    EXPECT_NE(GetWindowLongA(BarWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

// After a change of the system colours (high contrast, a theme) and after a second one back: the
// face of the grip strip and of the first button, the toolbar's first picture's top and bottom
// edge (highlight and shadow).
TEST_F(Strips, NewSystemColoursRepaintTheBarItsStripsToolbarAndButtons)
{
    StartBar();
    const int parts[] = {COLOR_BTNFACE, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    COLORREF before[3] = {GetSysColor(parts[0]), GetSysColor(parts[1]), GetSysColor(parts[2])};
    const COLORREF contrast[3] = {0x00a000, 0x0000ff, 0xff0000};
    for (const COLORREF *set : {contrast, static_cast<const COLORREF *>(before)}) {
        SetSysColors(3, parts, set);
        Pump(200);
        std::vector<COLORREF> seen;
        for (const HWND window : {GripStrip, Button(0), Toolbar(), Toolbar()}) {
            const HDC dc = GetDC(window);
            seen.push_back(GetPixel(dc, 5, window == Toolbar() && seen.size() == 3 ? 13 : 7));
            ReleaseDC(window, dc);
        }
        EXPECT_EQ(seen, (std::vector<COLORREF>{set[0], set[0], set[1], set[2]}));
    }
}

} // namespace
