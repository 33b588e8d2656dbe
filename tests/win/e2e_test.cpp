// The bar as a user starts it: korimbel.exe in its own process, driven from outside.
#include <gtest/gtest.h>

#include "barprocess.h"
#include "bartest.h"
#include "res/resource.h"
#include "store/settings.h"
#include "store/slots.h"

namespace
{

// Real pointer input: xdotool, the X11 input tool, moves and presses the pointer of the X
// display that shows the Wine desktop (whose coordinates are the desktop's). Wine starts a Linux
// program without filling in its handles: what a test would wait for and close there is whatever
// lay on the stack, such as the handle of the bar's process.
void Xdotool(const std::string &arguments)
{
    std::string command = "xdotool " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA("Z:\\usr\\bin\\xdotool", &command[0], nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &si, &pi));
    if (pi.hProcess) {
        WaitForSingleObject(pi.hProcess, 10000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    Sleep(100);
}

bool WaitForRect(HWND window, const RECT &expected, DWORD milliseconds = 5000)
{
    return PumpUntil([&] { return SameRect(WindowRect(window), expected); }, milliseconds);
}

class EndToEnd : public testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_EQ(FindWindowA("KORIMBEL", nullptr), nullptr) << "another bar is running";
        DeleteKeyTree(kRootKey);
        home = FreshFolder("E2E Home");
    }
    void TearDown() override
    {
        EndKorimbel(bar);
        DeleteKeyTree(kRootKey);
    }

    // Starts the bar and waits until its window stands where it goes.
    HWND StartBar()
    {
        bar = StartKorimbel(home);
        EXPECT_NE(bar.handle, nullptr);
        const HWND window = WaitForBar();
        Pump(300);
        return window;
    }

    // Asks the bar to close, as its exit does, and waits for the process to end.
    void QuitBar(HWND window)
    {
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitExit(bar, 10000)) << "the bar did not quit";
        EXPECT_EQ(bar.exitCode, 0u);
    }

    std::string home;
    BarProcess bar;
};

TEST_F(EndToEnd, AFirstStartDocksOnTheRightAndQuittingSavesThePlacement)
{
    const HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(SameRect(WindowRect(window), RECT{995, 0, 1024, 768}))
        << Describe(WindowRect(window));
    EXPECT_EQ(StoredString("curpath"), LowerAscii(home) + '\0');
    QuitBar(window);
    EXPECT_EQ(StoredDword("FloatMode"), 0);
    EXPECT_EQ(StoredDword("AppBarMode"), 2);
    EXPECT_EQ(StoredDword("DispPage"), 0);
    EXPECT_FALSE(ReadStored(kRootKey, "X").present);
}

TEST_F(EndToEnd, ASecondStartExitsAtOnceAndLeavesTheFirstAlone)
{
    const HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    const RECT before = WindowRect(window);
    BarProcess second = StartKorimbel(home);
    ASSERT_NE(second.handle, nullptr);
    ASSERT_TRUE(WaitExit(second, 15000));
    EXPECT_EQ(second.exitCode, 0u);
    EXPECT_EQ(FindWindowA("KORIMBEL", nullptr), window);
    EXPECT_TRUE(SameRect(WindowRect(window), before));
    EXPECT_EQ(WaitForSingleObject(bar.handle, 0), DWORD(WAIT_TIMEOUT));
    QuitBar(window);
}

TEST_F(EndToEnd, TheNextStartComesBackTheSameWay)
{
    StoreDword("AppBarMode", 1);
    HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(SameRect(WindowRect(window), RECT{0, 0, 1024, 29})) << Describe(WindowRect(window));
    QuitBar(window);

    StoreDword("FloatMode", 1);
    StoreDword("X", 240);
    StoreDword("Y", 160);
    StoreDword("Width", 300);
    StoreDword("Height", 260);
    window = StartBar();
    ASSERT_NE(window, nullptr);
    const RECT floating = WindowRect(window);
    EXPECT_TRUE(SameRect(floating, RECT{240, 160, 540, 211})) << Describe(floating);
    QuitBar(window);
    EXPECT_EQ(StoredDword("FloatMode"), 1);
    EXPECT_EQ(StoredDword("X"), 240);
    EXPECT_EQ(StoredDword("Width"), 300);
    EXPECT_EQ(StoredDword("Height"), 51);
    EXPECT_EQ(StoredDword("AppBarMode"), 1);

    window = StartBar();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(SameRect(WindowRect(window), floating)) << Describe(WindowRect(window));
    QuitBar(window);
}

TEST_F(EndToEnd, GarbageInTheRegistryStillStartsAndQuitsCleanly)
{
    const unsigned long long eight = 0x8000000000000000ULL;
    const std::string text(300, 'k');
    for (const char *name : {"HideTime", "TimerSound", "HideMode", "TopMode", "StartExecFlg",
                             "MaxPage", "AppBarMode", "FloatMode", "DispPage"})
        StoreRaw(kRootKey, name, REG_QWORD, &eight, 8);
    StoreRaw(kRootKey, "curpath", REG_SZ, text.c_str(), DWORD(text.size()));
    const HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(SameRect(WindowRect(window), RECT{995, 0, 1024, 768}))
        << Describe(WindowRect(window));
    QuitBar(window);
}

// The launch button of a slot on the bar's page, or null.
HWND LaunchButton(HWND bar, int slot)
{
    for (HWND button : LaunchButtons(bar))
        if (GetDlgCtrlID(button) == slot)
            return button;
    return nullptr;
}

// The slot clipboard lives as long as the bar's process: a bar just started holds nothing.
TEST_F(EndToEnd, PastingBeforeAnyCopyWritesThreeEmptyStrings)
{
    StoreRecord(kFileKey, 4, "c:\\a.exe");
    const HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    // As the button's menu sends it; sent again to the new button should a rebuild of the panel
    // take the button away first (one was seen right after the start).
    HWND button = nullptr;
    DWORD_PTR result;
    EXPECT_TRUE(PumpUntil(
        [&] {
            button = LaunchButton(window, 4);
            return button && SendMessageTimeoutA(button, WM_COMMAND, IDM_PASTE, 0, SMTO_ABORTIFHUNG,
                                                 5000, &result);
        },
        5000))
        << "no button of slot 4 took the command";
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(button); }, 5000)) << "the panel was not rebuilt";
    for (const char *key : {kFileKey, kTitleKey, kOptionKey})
        EXPECT_EQ(StoredRecord(key, 4), std::string(1, '\0')) << key;
    QuitBar(window);
}

TEST_F(EndToEnd, DraggingAFloatingBarByItsCaptionToTheTopDocksItThere)
{
    StoreDword("FloatMode", 1);
    StoreDword("AppBarMode", 3);
    StoreDword("X", 300);
    StoreDword("Y", 300);
    StoreDword("Width", 300);
    StoreDword("Height", 51);
    const HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForRect(window, RECT{300, 300, 600, 351})) << Describe(WindowRect(window));
    POINT client = {0, 0};
    ClientToScreen(window, &client);
    const int x = 450, y = (300 + client.y) / 2; // the middle of the caption
    Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
    Xdotool("mousedown 1");
    for (int step : {250, 150, 60, 1})
        Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(step));
    Xdotool("mouseup 1");
    EXPECT_TRUE(WaitForRect(window, RECT{0, 0, 1024, 29})) << Describe(WindowRect(window));
    QuitBar(window);
    EXPECT_EQ(StoredDword("FloatMode"), 0);
    EXPECT_EQ(StoredDword("AppBarMode"), 1);
    EXPECT_EQ(StoredDword("X"), 300); // where it floated when the drag began
    EXPECT_EQ(StoredDword("Y"), 300);
    EXPECT_EQ(StoredDword("Width"), 300);
    EXPECT_EQ(StoredDword("Height"), 51);
}

TEST_F(EndToEnd, AnAutoHidingBarWithdrawsAndComesBackUnderThePointer)
{
    StoreDword("HideMode", 1);
    StoreDword("HideTime", 100);
    Xdotool("mousemove 500 400");
    const HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    // Wine's shell gives the taskbar 1 pixel high: an auto-hiding bar is 769 pixels long here.
    const RECT shown = {995, 0, 1024, 769};
    const RECT hidden = {1022, 0, 1024, 769};
    EXPECT_TRUE(WaitForRect(window, hidden)) << Describe(WindowRect(window));
    Xdotool("mousemove 1023 300");
    EXPECT_TRUE(WaitForRect(window, shown)) << Describe(WindowRect(window));
    Xdotool("mousemove 500 400");
    EXPECT_TRUE(WaitForRect(window, hidden, 2000)) << Describe(WindowRect(window));
    QuitBar(window);
    EXPECT_EQ(StoredDword("FloatMode"), 0);
}

TEST_F(EndToEnd, DraggingTheGripToTheTopDocksTheBarThere)
{
    const HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    Xdotool("mousemove 1010 100"); // the grip strip, 94 to 104 below the bar's top
    Xdotool("mousedown 1");
    for (const char *step : {"600 300", "600 120", "600 40", "600 1"})
        Xdotool(std::string("mousemove ") + step);
    Xdotool("mouseup 1");
    EXPECT_TRUE(WaitForRect(window, RECT{0, 0, 1024, 29})) << Describe(WindowRect(window));
    QuitBar(window);
    EXPECT_EQ(StoredDword("AppBarMode"), 1);
    EXPECT_EQ(StoredDword("FloatMode"), 0);
}

struct TipSearch {
    DWORD process;
    std::wstring text;
};

BOOL CALLBACK ReadVisibleTip(HWND window, LPARAM lParam)
{
    TipSearch *search = reinterpret_cast<TipSearch *>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[32] = L"", text[64] = L"";
    GetClassNameW(window, name, 32);
    if (process == search->process && IsWindowVisible(window) &&
        lstrcmpiW(name, L"tooltips_class32") == 0) {
        SendMessageW(window, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
        search->text = text;
    }
    return TRUE;
}

TEST_F(EndToEnd, HoveringTheSecondToolbarButtonShowsItsTip)
{
    const HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    Xdotool("mousemove 1005 30");
    Xdotool("mousemove 1010 35"); // the second of four buttons stacked at the top
    TipSearch search = {GetProcessId(bar.handle), L""};
    PumpUntil(
        [&] {
            EnumWindows(ReadVisibleTip, reinterpret_cast<LPARAM>(&search));
            return !search.text.empty();
        },
        3000);
    EXPECT_EQ(search.text, kSettingsCaption);
    QuitBar(window);
}

TEST_F(EndToEnd, ClickingTheFourthToolbarButtonTurnsThePage)
{
    const HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    Xdotool("mousemove 1010 79 click 1"); // next page
    Sleep(300);
    QuitBar(window);
    EXPECT_EQ(StoredDword("DispPage"), 1);
}

// A dialog of the bar's process, found by its caption as a user sees it. It shows once it has
// filled in its controls: a test that changed them earlier would see its changes overwritten.
HWND WaitForDialog(const wchar_t *caption)
{
    HWND dialog = nullptr;
    PumpUntil(
        [&] {
            dialog = FindWindowW(L"#32770", caption);
            return dialog && IsWindowVisible(dialog);
        },
        5000);
    return dialog;
}

TEST_F(EndToEnd, TheWrenchOpensTheSettingsAndOkAppliesThem)
{
    StoreDword("DispPage", 2);
    const HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    Xdotool("mousemove 1010 35 click 1"); // the wrench
    const HWND settings = WaitForDialog(kSettingsCaption);
    ASSERT_NE(settings, nullptr);
    SendDlgItemMessageA(settings, 1056, CB_SETCURSEL, 0, 0);            // 1ﾍﾟｰｼﾞ
    SendDlgItemMessageA(settings, 1036, BM_SETCHECK, BST_UNCHECKED, 0); // not topmost
    SetDlgItemTextA(settings, 1048, "1500ms");
    PostMessageA(settings, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(settings); }, 3000));
    PumpUntil([&] { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0; }, 2000);
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    QuitBar(window);
    EXPECT_EQ(StoredDword("MaxPage"), 0);
    EXPECT_EQ(StoredDword("TopMode"), 0);
    EXPECT_EQ(StoredDword("HideTime"), 1500);
    EXPECT_EQ(StoredDword("DispPage"), 0); // the page count shrank below the page shown
}

TEST_F(EndToEnd, TheAboutBoxAndTheHelpButtonLeaveTheBarRunning)
{
    const HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    Xdotool("mousemove 1010 35 click 1");
    const HWND settings = WaitForDialog(kSettingsCaption);
    ASSERT_NE(settings, nullptr);
    PostMessageA(settings, WM_COMMAND, 3, 0); // ﾊﾞｰｼﾞｮﾝ
    const HWND about = WaitForDialog(kAboutCaption);
    ASSERT_NE(about, nullptr);
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(about); }, 3000));
    // The help document lies beside the program, not in this bar's current folder.
    EXPECT_NE(GetFileAttributesA((TestFolder() + "\\..\\korimbel.htm").c_str()),
              INVALID_FILE_ATTRIBUTES);
    PostMessageA(settings, WM_COMMAND, 5, 0); // 使い方
    Pump(500);
    EXPECT_TRUE(IsWindow(settings));
    PostMessageA(settings, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(settings); }, 3000));
    QuitBar(window);
}

} // namespace

namespace
{

std::string ManifestOfKorimbel()
{
    const HMODULE image = LoadLibraryExA(KorimbelPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!image)
        return "";
    std::string text;
    if (HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
        const char *bytes = static_cast<const char *>(LockResource(LoadResource(image, found)));
        text.assign(bytes, SizeofResource(image, found));
    }
    FreeLibrary(image);
    return text;
}

TEST(Manifest, RunsAsTheUserUnscaledOnEveryWindowsUpToEleven)
{
    const std::string manifest = ManifestOfKorimbel();
    ASSERT_FALSE(manifest.empty()) << "no manifest";
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find(">false</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find(">unaware</dpiAwareness>"), std::string::npos);
    for (const char *os : {"e2011457-1546-43c5-a5fe-008deee3d3f0",  // Vista
                           "35138b9a-5d96-4fbd-8e2d-a2440225f93a",  // 7
                           "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",  // 8
                           "1f676c76-80e1-4239-95bb-83d0f6d0da78",  // 8.1
                           "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) // 10 and 11
        EXPECT_NE(manifest.find(os), std::string::npos) << os;
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos) << "the classic controls";
}

} // namespace
