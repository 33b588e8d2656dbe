#include <gtest/gtest.h>

#include <objbase.h>

#include <cstring>

#include "barfixture.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "shell/instance.h"
#include "store/settings.h"
#include "text/codepage.h"

namespace
{

TEST(CodePage, TheBarRunsUnderShiftJis)
{
    EXPECT_EQ(GetACP(), 932u);
    const LeadBytes &lb = ActiveLeadBytes();
    EXPECT_TRUE(lb.lead[0x81]);
    EXPECT_TRUE(lb.lead[0xFC]);
    EXPECT_FALSE(lb.lead[0x5C]);
    EXPECT_FALSE(lb.lead[0xB1]); // half-width katakana
}

using Lifecycle = BarTest;

TEST_F(Lifecycle, TheTemplateIsTheSpecifiedPopupToolWindow)
{
    HRSRC found = FindResourceA(nullptr, "KORIMBEL", MAKEINTRESOURCEA(5)); // RT_DIALOG
    ASSERT_NE(found, nullptr);
    const BYTE *t = static_cast<const BYTE *>(LockResource(LoadResource(nullptr, found)));
    DWORD v[4];
    memcpy(v, t, sizeof v); // dlgVer/signature, helpID, exStyle, style
    EXPECT_EQ(v[0], 0xFFFF0001u);
    EXPECT_EQ(v[2], DWORD(WS_EX_TOOLWINDOW));
    EXPECT_EQ(v[3], 0x90C40040u);
    WORD items, x, y, cx, cy;
    memcpy(&items, t + 16, 2);
    memcpy(&x, t + 18, 2);
    memcpy(&y, t + 20, 2);
    memcpy(&cx, t + 22, 2);
    memcpy(&cy, t + 24, 2);
    EXPECT_EQ(items, 0);
    EXPECT_EQ(x, 76);
    EXPECT_EQ(y, 38);
    EXPECT_EQ(cx, 334);
    EXPECT_EQ(cy, 27);
    const WCHAR *menu = reinterpret_cast<const WCHAR *>(t + 26);
    EXPECT_EQ(menu[0], 0); // no menu
    const WCHAR *cls = menu + 1;
    EXPECT_EQ(std::wstring(cls), L"KORIMBEL");
    const WCHAR *title = cls + 9;
    EXPECT_EQ(std::wstring(title), L"Korimbel"); // the name screen readers read
    WORD points;
    memcpy(&points, title + 9, 2);
    EXPECT_EQ(points, 9);
    const WCHAR *face = title + 9 + 3; // point size, weight, italic and charset
    EXPECT_EQ(std::wstring(face), L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF");
}

TEST_F(Lifecycle, AnEmptyRegistryDocksOnTheRightWithTheDefaults)
{
    StartBar();
    ASSERT_TRUE(IsWindow(BarWindow));
    EXPECT_TRUE(IsWindowVisible(BarWindow));
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(2))) << Describe(WindowRect(BarWindow));
    EXPECT_EQ(Settings.HideTime, 200);
    EXPECT_EQ(Settings.HideMode, 0);
    EXPECT_EQ(Settings.TopMode, 1);
    EXPECT_EQ(Settings.StartExecFlg, 0);
    EXPECT_EQ(Settings.MaxPage, 4);
    EXPECT_EQ(Settings.AppBarMode, 2);
    EXPECT_EQ(Settings.FloatMode, 0);
    EXPECT_EQ(Settings.DispPage, 0);
    EXPECT_NE(GetWindowLongA(BarWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(GetWindowLongA(BarWindow, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(GetClassLongA(BarWindow, GCL_CBWNDEXTRA), DLGWINDOWEXTRA);
    EXPECT_EQ(GetClassLongA(BarWindow, GCL_HBRBACKGROUND), COLOR_BTNFACE + 1);
    EXPECT_NE(GetClassLongA(BarWindow, GCL_HICON), 0);
}

// The created style comes back when the bar floats: see the dragging tests.
TEST_F(Lifecycle, DockingReplacesTheFrameByABorder)
{
    StartBar();
    const LONG docked = GetWindowLongA(BarWindow, GWL_STYLE);
    EXPECT_EQ(docked & (WS_DLGFRAME | WS_THICKFRAME), 0);
    EXPECT_EQ(docked & (WS_POPUP | WS_VISIBLE | WS_BORDER | WS_SYSMENU),
              LONG(WS_POPUP | WS_VISIBLE | WS_BORDER | WS_SYSMENU));
}

TEST_F(Lifecycle, ASecondStartIsRefusedAndTheBarIsLeftAlone)
{
    StartBar();
    const HWND bar = BarWindow;
    const RECT before = WindowRect(bar);
    StoreDword("DispPage", 3);
    EXPECT_EQ(StartInstance(GetModuleHandleA(nullptr), SW_SHOWNORMAL), 0);
    EXPECT_EQ(BarWindow, bar);
    EXPECT_TRUE(SameRect(WindowRect(bar), before));
    EXPECT_EQ(Settings.DispPage, 0); // the refused start read nothing
}

// The program folder is that of the program's own file, here this test program's, wherever it
// was started from and whatever an earlier start stored; the current directory counts only when
// that name is too long to read (see the long_folder script).
TEST_F(Lifecycle, TheProgramFolderIsTheLowerCasedFolderOfTheProgramWhereverItStarts)
{
    CreateDirectoryA("C:\\Winapps", nullptr);
    CreateDirectoryA("C:\\Winapps\\Bar", nullptr);
    const std::string own = LowerAscii(TestFolder());
    ASSERT_NE(GetFileAttributesA((own + "\\bar_tests.exe").c_str()), INVALID_FILE_ATTRIBUTES);
    const std::string tooLong = FolderOfLength("long", "d", 256);
    // ア (83 41) has a trail byte in the range of "A".
    const struct {
        std::string current;
        const char *stored; // curpath of an earlier start; "" a key without it; null no key
    } starts[] = {{FreshFolder("Bar Home \x83\x41\x83\x76\x83\x8A"), nullptr},
                  {"C:\\windows\\system32", "c:\\tools\\bar"},
                  {"C:\\Winapps\\Bar", "c:\\tools\\bar"},
                  {"C:\\windows", nullptr},
                  {"C:\\windows", ""},
                  {tooLong, "c:\\tools\\bar"},
                  {tooLong, nullptr},
                  {FolderOfLength("long", "d", 254), nullptr}};
    for (const auto &start : starts) {
        if (start.stored && start.stored[0])
            StoreString("curpath", start.stored);
        else if (start.stored)
            StoreDword("MaxPage", 4);
        StartBar(start.current);
        char current[MAX_PATH] = "";
        GetCurrentDirectoryA(MAX_PATH, current);
        EXPECT_EQ(LowerAscii(current), LowerAscii(start.current)) << "Wine refused the folder";
        EXPECT_EQ(std::string(Settings.curpath), own) << start.current;
        EXPECT_EQ(StoredString("curpath"), own + '\0') << start.current;
        EXPECT_EQ(ReadStored(kRootKey, "curpath").type, DWORD(REG_SZ));
        QuitBar();
        DeleteKeyTree(kRootKey);
    }
}

TEST_F(Lifecycle, OnlyTopModeOneIsTopmost)
{
    for (int mode : {0, 2, -1}) {
        StoreDword("TopMode", DWORD(mode));
        StartBar();
        EXPECT_EQ(GetWindowLongA(BarWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << mode;
        QuitBar();
    }
}

TEST_F(Lifecycle, QuittingWhileDockedSavesTheEdgeAndPageOnly)
{
    StoreDword("AppBarMode", 0);
    StoreDword("DispPage", 3);
    StartBar();
    QuitBar();
    EXPECT_EQ(QuitMessages > 0, true);
    EXPECT_EQ(StoredDword("FloatMode"), 0);
    EXPECT_EQ(StoredDword("AppBarMode"), 0);
    EXPECT_EQ(StoredDword("DispPage"), 3);
    for (const char *name : {"X", "Y", "Width", "Height"})
        EXPECT_FALSE(ReadStored(kRootKey, name).present) << name;
}

TEST_F(Lifecycle, AFloatingBarComesBackWhereItWasStored)
{
    StoreDword("FloatMode", 1);
    StoreDword("X", 200);
    StoreDword("Y", 120);
    StoreDword("Width", 300);
    StoreDword("Height", 400);
    StartBar();
    // The stored length, the fixed thickness of a vertical bar.
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{200, 120, 234, 520}))
        << Describe(WindowRect(BarWindow));
    EXPECT_TRUE(Messages().empty()); // a floating bar is no business of the shell
    EXPECT_NE(GetWindowLongA(BarWindow, GWL_STYLE) & WS_CAPTION, 0);
    // On a monitor of 144 DPI it keeps its place and length and takes that thickness.
    RECT proposed = {0, 0, 10, 10};
    SendMessageA(BarWindow, WM_DPICHANGED, MAKEWPARAM(144, 144), LPARAM(&proposed));
    EXPECT_TRUE(SameRect(WindowRect(BarWindow), RECT{200, 120, 251, 520}))
        << Describe(WindowRect(BarWindow));
}

TEST_F(Lifecycle, QuittingWhileFloatingSavesTheWindowRectangle)
{
    StoreDword("FloatMode", 1);
    StoreDword("X", 150);
    StoreDword("Y", 60);
    StartBar();
    MoveWindow(BarWindow, 180, 90, 240, 310, TRUE);
    QuitBar();
    EXPECT_EQ(StoredDword("FloatMode"), 1);
    EXPECT_EQ(StoredDword("X"), 180);
    EXPECT_EQ(StoredDword("Y"), 90);
    EXPECT_EQ(StoredDword("Width"), 34);
    EXPECT_EQ(StoredDword("Height"), 310);
    EXPECT_EQ(StoredDword("AppBarMode"), 2);
    EXPECT_EQ(StoredDword("DispPage"), 0);
}

TEST_F(Lifecycle, AFloatingBarWithoutAStoredSizeTakesTheDefaultShape)
{
    StoreDword("FloatMode", 1);
    StoreDword("AppBarMode", 3);
    StartBar();
    const RECT r = WindowRect(BarWindow);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_GE(r.bottom - r.top, 51); // the window system may raise it to its minimum
}

TEST_F(Lifecycle, AnyNonZeroFloatModeFloatsAndIsSavedAsOne)
{
    StoreDword("FloatMode", 7);
    StartBar();
    EXPECT_EQ(Settings.FloatMode, 1);
    EXPECT_TRUE(Messages().empty());
    QuitBar();
    EXPECT_EQ(StoredDword("FloatMode"), 1);
    EXPECT_TRUE(ReadStored(kRootKey, "Width").present);
}

TEST_F(Lifecycle, AnUnknownDockEdgeDocksOnTheRight)
{
    for (DWORD edge : {4u, 0xFFFFFFFFu, 0x80000000u}) {
        StoreDword("AppBarMode", edge);
        StartBar();
        EXPECT_TRUE(SameRect(WindowRect(BarWindow), DockedRect(2)))
            << edge << " " << Describe(WindowRect(BarWindow));
        QuitBar();
        EXPECT_EQ(StoredDword("AppBarMode"), 2);
    }
}

TEST_F(Lifecycle, EndingTheSessionSavesAndKeepsRunning)
{
    StoreDword("AppBarMode", 1);
    StartBar();
    DeleteKeyTree(kRootKey);
    EXPECT_EQ(SendMessageA(BarWindow, WM_ENDSESSION, FALSE, 0), 0);
    EXPECT_TRUE(IsWindow(BarWindow));
    EXPECT_EQ(StoredDword("FloatMode"), 0);
    EXPECT_EQ(StoredDword("AppBarMode"), 1);
    EXPECT_EQ(StoredDword("DispPage"), 0);
    DeleteKeyTree(kRootKey);
    EXPECT_EQ(SendMessageA(BarWindow, WM_ENDSESSION, TRUE, 0), 0);
    EXPECT_EQ(StoredDword("AppBarMode"), 1);
    Pump(50);
    EXPECT_TRUE(IsWindow(BarWindow));
    const int quits = QuitMessages;
    Pump(50);
    EXPECT_EQ(QuitMessages, quits);
}

TEST_F(Lifecycle, LateInitialisationArmsTheAutoHideTimer)
{
    StartBar();
    EXPECT_NE(KillTimer(BarWindow, AUTOHIDE_TIMER_ID), FALSE);
}

// The shell extensions that open documents, draw icons and browse run on the bar's thread: it is
// apartment-threaded from the bar's creation and free of COM again after its end.
TEST_F(Lifecycle, TheBarsThreadIsASingleThreadedApartmentForTheBarsLife)
{
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK) << "COM left on before";
    CoUninitialize();
    StartBar();
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    QuitBar();
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    CoUninitialize();
}

TEST_F(Lifecycle, HostileSettingsStillGiveAUsableBar)
{
    const std::string huge(4000, 'x');
    StoreRaw(kRootKey, "HideTime", REG_SZ, huge.c_str(), DWORD(huge.size() + 1));
    const unsigned long long eight = ~0ULL;
    StoreRaw(kRootKey, "TopMode", REG_QWORD, &eight, 8);
    StoreDword("HideMode", 0x7FFFFFFF);
    StoreRaw(kRootKey, "AppBarMode", REG_MULTI_SZ, "ab\0c\0\0", 6);
    StoreDword("DispPage", 0x80000000u);
    StoreDword("MaxPage", 0xFFFFFFFFu);
    StoreRaw(kRootKey, "curpath", REG_DWORD, &eight, 4);
    StartBar();
    ASSERT_TRUE(IsWindow(BarWindow));
    const RECT r = WindowRect(BarWindow);
    EXPECT_EQ(r.right - r.left, 29) << Describe(r);
    EXPECT_EQ(r.right, 1024) << Describe(r);
    EXPECT_GT(r.bottom - r.top, 29) << Describe(r);
    QuitBar();
    EXPECT_EQ(StoredDword("DispPage"), int(0x80000000u));
    EXPECT_EQ(ReadStored(kRootKey, "HideTime").bytes.size(), huge.size() + 1);
}

} // namespace
