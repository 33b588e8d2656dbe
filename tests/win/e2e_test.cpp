// The bar as a user starts it: korimbel.exe in its own process, driven from outside.
#include <gtest/gtest.h>

#include <oleacc.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>

#include "barprocess.h"
#include "bartest.h"
#include "launching.h"
#include "res/resource.h"
#include "store/settings.h"
#include "store/slots.h"

namespace
{

std::string Narrow(const std::wstring &text, UINT codePage = CP_ACP)
{
    std::string narrow(text.size() * 3, '\0');
    narrow.resize(WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), &narrow[0],
                                      int(narrow.size()), nullptr, nullptr));
    return narrow;
}

// The names of the files in a folder that match the pattern, sorted.
std::vector<std::wstring> FilesIn(const std::wstring &folder, const wchar_t *pattern = L"*")
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// Deletes the files of a folder, then the folder; true when the folder is gone.
bool RemoveFolder(const std::wstring &folder)
{
    for (const std::wstring &name : FilesIn(folder))
        DeleteFileW((folder + L"\\" + name).c_str());
    return RemoveDirectoryW(folder.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
           GetLastError() == ERROR_PATH_NOT_FOUND;
}

// Every line ends in CR LF, the last one included.
bool WindowsLineEnds(const std::string &text)
{
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
    return !text.empty() && text.back() == '\n';
}

// The file properties (version resource) of a program; empty when it has none.
std::vector<BYTE> FileProperties(const std::wstring &program)
{
    std::vector<BYTE> data(GetFileVersionInfoSizeW(program.c_str(), nullptr));
    if (data.empty() || !GetFileVersionInfoW(program.c_str(), 0, DWORD(data.size()), data.data()))
        data.clear();
    return data;
}

// One text of the file properties' block of a language and code page ("041104b0").
std::wstring PropertyText(const std::vector<BYTE> &properties, const wchar_t *block,
                          const wchar_t *name)
{
    const std::wstring path = std::wstring(L"\\StringFileInfo\\") + block + L"\\" + name;
    void *text = nullptr;
    UINT length = 0;
    if (properties.empty() || !VerQueryValueW(properties.data(), path.c_str(), &text, &length) ||
        length == 0)
        return L"";
    return static_cast<const wchar_t *>(text);
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

// The settings dialog, opened with the wrench of a bar docked on the right.
HWND OpenSettings()
{
    Xdotool("mousemove 1010 35 click 1");
    return WaitForDialog(kSettingsCaption);
}

// The end-to-end tests' own settings of the Wine prefix, taken away after each test.
class EndToEnd : public BarProcessTest
{
  protected:
    void TearDown() override
    {
        BarProcessTest::TearDown();
        SHDeleteKeyA(HKEY_CLASSES_ROOT, kHelpTypeKey);
        SHDeleteKeyA(HKEY_CLASSES_ROOT, kHelpViewerKey);
        DeleteKeyTree(kKorimbelDllOverrides);
    }

    // Documents of the help's type open in the recorder program, which writes down how it was
    // started. (The test bed's Wine knows no type for .htm; its shell reads the types of the
    // whole machine only.)
    static constexpr const char *kHelpTypeKey = ".htm";
    static constexpr const char *kHelpViewerKey = "Korimbel.TestHelp";
    static void ViewHelpWith(const std::string &recorder)
    {
        const std::string command = "\"" + recorder + "\" \"%1\"";
        for (const auto &value :
             {std::make_pair(std::string(kHelpTypeKey), std::string(kHelpViewerKey)),
              std::make_pair(std::string(kHelpViewerKey) + "\\shell\\open\\command", command)}) {
            HKEY key;
            RegCreateKeyExA(HKEY_CLASSES_ROOT, value.first.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr);
            RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE *>(value.second.c_str()),
                           DWORD(value.second.size() + 1));
            RegCloseKey(key);
        }
    }
};

TEST_F(EndToEnd, AFirstStartDocksOnTheRightAndQuittingSavesThePlacement)
{
    const HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(SameRect(WindowRect(window), RECT{995, 0, 1024, 768}))
        << Describe(WindowRect(window));
    EXPECT_EQ(StoredString("curpath"), LowerAscii(KorimbelFolder()) + '\0');
    QuitBar(window);
    EXPECT_EQ(StoredDword("FloatMode"), 0);
    EXPECT_EQ(StoredDword("AppBarMode"), 2);
    EXPECT_EQ(StoredDword("DispPage"), 0);
    EXPECT_FALSE(ReadStored(kRootKey, "X").present);
}

// The scale the user sets for the screen, which each program reads as it starts.
TEST_F(EndToEnd, AtTheScreensScaleTheBarStartsWithThatScalesSizes)
{
    struct {
        DWORD dpi;
        RECT bar, secondButton;
    } const cases[] = {{144, {980, 0, 1024, 768}, {984, 196, 1019, 229}},
                       {192, {966, 0, 1024, 768}, {971, 261, 1017, 305}}};
    for (const auto &c : cases) {
        StoreRaw("Control Panel\\Desktop", "LogPixels", REG_DWORD, &c.dpi, sizeof c.dpi);
        const HWND window = StartBar();
        const DWORD normal = 96;
        StoreRaw("Control Panel\\Desktop", "LogPixels", REG_DWORD, &normal, sizeof normal);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(SameRect(WindowRect(window), c.bar)) << c.dpi << Describe(WindowRect(window));
        const std::vector<HWND> buttons = LaunchButtons(window);
        ASSERT_GE(buttons.size(), 2u);
        EXPECT_TRUE(SameRect(WindowRect(buttons[1]), c.secondButton))
            << c.dpi << Describe(WindowRect(buttons[1]));
        QuitBar(window);
    }
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
                             "MaxPage", "HotKey", "AppBarMode", "FloatMode", "DispPage"})
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

// A slot's File, Title and OptionStr as "file,title,options", "-" for one that is absent.
std::string SlotRecords(int slot)
{
    std::string all;
    for (const char *key : {kFileKey, kTitleKey, kOptionKey}) {
        const std::string r = StoredRecord(key, slot);
        all += (all.empty() ? "" : ",") + (r == "<absent>" ? "-" : r.substr(0, r.size() - 1));
    }
    return all;
}

std::string CenterOf(HWND window)
{
    const RECT r = WindowRect(window);
    return std::to_string((r.left + r.right) / 2) + " " + std::to_string((r.top + r.bottom) / 2);
}

// Slot 0 dragged with the real pointer onto slot `to` (-1: the desktop beside the bar), with
// slot 0 holding a, A, O and slot 1 b, B before each drag. The next-page button held half a
// second turns the page under the drag.
TEST_F(EndToEnd, ADraggedLaunchButtonMovesTradesOrCopiesItsSlotAndNeverLosesOne)
{
    const HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    const auto StoreSlots = [] {
        for (const char *key : {kFileKey, kTitleKey, kOptionKey})
            DeleteKeyTree(key);
        StoreRecord(kFileKey, 0, "a"), StoreRecord(kTitleKey, 0, "A"),
            StoreRecord(kOptionKey, 0, "O");
        StoreRecord(kFileKey, 1, "b"), StoreRecord(kTitleKey, 1, "B");
    };
    const std::vector<std::string> before = {"a,A,O", "b,B,-", "-,-,-"};
    const std::string from0 = CenterOf(LaunchButton(window, 0));
    struct Row {
        const char *what;
        int to;
        const char *atRelease; // xdotool's words before the release
        bool sourceDeleted;    // the source's records deleted during the drag
        std::vector<std::string> slots013;
    } rows[] = {
        {"onto an empty button", 3, "", false, {"-,-,-", "b,B,-", "a,A,O"}},
        {"onto a filled button", 1, "", false, {"b,B,-", "a,A,O", "-,-,-"}},
        {"with Ctrl", 3, "keydown ctrl", false, {"a,A,O", "b,B,-", "a,A,O"}},
        {"with Ctrl onto a filled button", 1, "keydown ctrl", false, before},
        {"back onto itself", 0, "", false, before},
        {"outside the panel", -1, "", false, before},
        {"given up with Esc", 3, "key Escape", false, before},
        {"from a slot deleted meanwhile", 1, "", true, {"-,-,-", "b,B,-", "-,-,-"}},
    };
    for (const Row &row : rows) {
        StoreSlots();
        Xdotool("mousemove " + from0 + " mousedown 1 mousemove_relative 0 8");
        for (const char *key : {kFileKey, kTitleKey, kOptionKey})
            if (row.sourceDeleted)
                RegDeleteKeyValueA(HKEY_CURRENT_USER, key, "0");
        Xdotool("mousemove " + (row.to < 0 ? "500 400" : CenterOf(LaunchButton(window, row.to))));
        const auto pushed = [&] {
            return (SendMessageA(LaunchButton(window, row.to), BM_GETSTATE, 0, 0) & BST_PUSHED) !=
                   0;
        };
        EXPECT_TRUE(row.to <= 0 || PumpUntil(pushed, 2000)) << row.what << ": target not shown";
        Xdotool(std::string(row.atRelease) + " mouseup 1 keyup ctrl");
        Pump(400);
        EXPECT_EQ((std::vector<std::string>{SlotRecords(0), SlotRecords(1), SlotRecords(3)}),
                  row.slots013)
            << row.what;
    }
    StoreSlots();
    Xdotool("mousemove " + from0 +
            " mousedown 1 mousemove_relative 0 8 mousemove 1010 79 sleep 0.6");
    std::vector<int> shown;
    for (HWND button : LaunchButtons(window))
        shown.push_back(GetDlgCtrlID(button));
    const int target = *std::min_element(shown.begin(), shown.end()) + 2;
    EXPECT_GT(target, 2) << "the page did not turn";
    Xdotool("mousemove " + CenterOf(LaunchButton(window, target)) + " mouseup 1");
    Pump(400);
    EXPECT_EQ(SlotRecords(0), "-,-,-");
    EXPECT_EQ(SlotRecords(target), "a,A,O");
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

// The window with the keyboard focus in the bar's thread.
HWND FocusOf(HWND bar)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(bar, nullptr), &info);
    return info.hwndFocus;
}

// The stored hotkey the bar holds, seen by this process's registration of the same keys failing;
// none for 0 or a flag the control never sets, and the value stays as stored. Keys another
// program holds are not taken, which the settings show beside the control until keys typed
// into it are free; OK takes and stores those.
TEST_F(EndToEnd, TheBarHoldsItsStoredHotkeyUnlessNoneOrHeldAndTheSettingsSaySo)
{
    const struct {
        int stored; // -1: none stored
        UINT modifiers;
        bool held;
    } rows[] = {{-1, MOD_CONTROL | MOD_ALT, true}, {0x014B, MOD_SHIFT, true},
                {0x0D4B, MOD_SHIFT | MOD_ALT, true}, {0, MOD_CONTROL | MOD_ALT, false},
                {0x164B, MOD_CONTROL | MOD_ALT, false}};
    for (const auto &row : rows) {
        DeleteKeyTree(kRootKey);
        if (row.stored >= 0)
            StoreDword("HotKey", DWORD(row.stored));
        const HWND window = StartBar();
        EXPECT_EQ(!RegisterHotKey(nullptr, 1, row.modifiers, 'K'), row.held) << row.stored;
        UnregisterHotKey(nullptr, 1);
        QuitBar(window);
        EXPECT_EQ(StoredDword("HotKey"), row.stored >= 0 ? row.stored : -999);
    }
    DeleteKeyTree(kRootKey);
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, 'K'));
    const HWND window = StartBar();
    const HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    const HWND inUse = GetDlgItem(settings, IDC_HOTKEY_IN_USE);
    EXPECT_TRUE(IsWindowVisible(inUse));
    Xdotool("mousemove " + CenterOf(GetDlgItem(settings, IDC_HOTKEY)) + " click 1 key ctrl+alt+j");
    EXPECT_FALSE(IsWindowVisible(inUse));
    PostMessageA(settings, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(settings); }, 3000));
    EXPECT_FALSE(RegisterHotKey(nullptr, 2, MOD_CONTROL | MOD_ALT, 'J'));
    UnregisterHotKey(nullptr, 1);
    QuitBar(window);
    EXPECT_EQ(StoredDword("HotKey"), 0x064A);
}

// Real keys on an auto-hiding bar, each step with the slot of the button then focused and shown
// focused (-1: the toolbar; -2: the keyboard given back to the other window, the bar withdrawn).
// The hotkey brings the bar out onto the first button, then onto the one focused last; the
// arrows of both pairs, Home and End, the page keys keeping the place on the page, Tab to the
// toolbar and back. Shift+F10 and the menu key show the button's menu; a digit opens its
// button, an empty one its properties, which take the keys; Enter opens a program.
TEST_F(EndToEnd, TheHotkeyAndTheKeysMoveAlongTheBarTurnItsPagesAndOpenButtonsAndMenus)
{
    const std::string recorder = PrepareRecorder("Recorder Keys");
    StoreRecord(kFileKey, 1, recorder);
    StoreDword("HideMode", 1);
    StoreDword("HideTime", 100);
    Xdotool("mousemove 500 400");
    const HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    const RECT shown = {995, 0, 1024, 769}, hidden = {1022, 0, 1024, 769};
    const HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 100, 100, 200,
                                       100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    const int perPage = int(LaunchButtons(window).size());
    const struct {
        const char *keys;
        int slot;
    } steps[] = {{"ctrl+alt+k", 0}, {"Down ctrl+alt+k", -2}, {"ctrl+alt+k", 1}, {"Escape", -2},
                 {"ctrl+alt+k Down", 2}, {"Up", 1}, {"Right", 2}, {"Left", 1},
                 {"End", perPage - 1}, {"Home", 0}, {"Right Right Next", perPage + 2},
                 {"Prior", 2}, {"Tab", -1}, {"Tab", 2}};
    for (const auto &step : steps) {
        Xdotool(std::string("key ") + step.keys);
        EXPECT_TRUE(WaitForRect(window, step.slot == -2 ? hidden : shown)) << step.keys;
        EXPECT_EQ(GetForegroundWindow(), step.slot == -2 ? other : window) << step.keys;
        const HWND focus = FocusOf(window);
        EXPECT_TRUE(step.slot == -2 || GetDlgCtrlID(focus) == (step.slot < 0 ? IDC_COMMAND_TOOLBAR
                                                                            : step.slot))
            << step.keys;
        EXPECT_TRUE(step.slot < 0 || (SendMessageA(focus, BM_GETSTATE, 0, 0) & BST_FOCUS));
    }
    for (const char *menuKey : {"shift+F10", "Menu"}) {
        Xdotool(std::string("key ") + menuKey);
        const HWND menu = FindWindowA("#32768", nullptr);
        EXPECT_TRUE(menu && IsWindowVisible(menu)) << menuKey;
        Xdotool("key Escape");
    }
    Xdotool("key 3");
    const HWND properties = WaitForDialog(kPropertiesCaption);
    EXPECT_NE(properties, nullptr);
    Xdotool("key Escape");
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(properties); }, 3000));
    EXPECT_TRUE(PumpUntil([&] { return GetDlgCtrlID(FocusOf(window)) == 2; }, 3000));
    Sleep(600); // the launch lock
    Xdotool("key Up Return");
    EXPECT_EQ(Launches(1).size(), 1u);
    DestroyWindow(other);
    QuitBar(window);
}

// What a screen reader hears of a window's accessible object, or of one of its children: the
// name and the role.
std::wstring Heard(HWND window, long child)
{
    IAccessible *object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                          reinterpret_cast<void **>(&object))))
        return L"<no object>";
    VARIANT id = {}, role = {};
    id.vt = VT_I4;
    id.lVal = child;
    BSTR name = nullptr;
    object->get_accName(id, &name);
    object->get_accRole(id, &role);
    object->Release();
    const std::wstring heard = std::wstring(name ? name : L"") + L" " + std::to_wstring(role.lVal);
    SysFreeString(name);
    return heard;
}

// Through the accessibility interface: the bar's name, the toolbar's buttons by their tips, a
// launch button by its title or as empty, as push buttons (43; the toolbar 22, a client 10, an
// edit 42). In the dialogs each edit, list and hotkey control comes right after its label, which
// names an edit.
TEST_F(EndToEnd, ScreenReadersHearTheButtonsByTitleAndTheDialogControlsByTheirLabels)
{
    StoreRecord(kFileKey, 0, "c:\\missing.exe");
    StoreRecord(kTitleKey, 0, "Editor");
    CoInitialize(nullptr); // the bar's own objects come through COM
    const HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    const struct {
        int slot; // -2: the bar, -1: the toolbar
        long child;
        const wchar_t *heard;
    } rows[] = {{-2, 0, L"Korimbel 10"},
                {-1, 0, L" 22"},
                {-1, 1, L"\x7D42\x4E86 43"},                              // 終了
                {-1, 2, L"\x74B0\x5883\x8A2D\x5B9A 43"},                  // 環境設定
                {-1, 3, L"\x524D\xFF8D\xFF9F\xFF70\xFF7C\xFF9E 43"},      // 前ﾍﾟｰｼﾞ
                {-1, 4, L"\x6B21\xFF8D\xFF9F\xFF70\xFF7C\xFF9E 43"},      // 次ﾍﾟｰｼﾞ
                {0, 0, L"Editor 43"},
                {1, 0, L"\x672A\x767B\x9332 43"}};                        // 未登録
    for (const auto &row : rows) {
        const HWND control = row.slot == -2   ? window
                             : row.slot == -1 ? WindowFromPoint(POINT{1010, 10}) // the toolbar
                                              : LaunchButton(window, row.slot);
        EXPECT_EQ(Heard(control, row.child), row.heard) << row.slot << " " << row.child;
    }
    // Each row: a control, its label, and whether it is an edit.
    const std::vector<std::vector<int>> labelled[] = {
        {{IDC_TITLE, IDC_TITLE_LABEL, 1}, {IDC_FILE, IDC_FILE_LABEL, 1},
         {IDC_SHOW_MODE, IDC_SHOW_MODE_LABEL, 0}},
        {{IDC_HIDE_TIME, IDC_HIDE_TIME_LABEL, 1}, {IDC_PAGE_COUNT, IDC_PAGE_COUNT_LABEL, 0},
         {IDC_HOTKEY, IDC_HOTKEY_LABEL, 0}}};
    Xdotool("key ctrl+alt+k Return"); // a missing program: its properties
    for (const auto &rows : labelled) {
        const HWND dialog = &rows == labelled ? WaitForDialog(kPropertiesCaption) : OpenSettings();
        ASSERT_NE(dialog, nullptr);
        for (const std::vector<int> &row : rows) {
            const HWND control = GetDlgItem(dialog, row[0]);
            wchar_t label[64] = L"";
            GetDlgItemTextW(dialog, row[1], label, 64);
            EXPECT_EQ(GetWindow(control, GW_HWNDPREV), GetDlgItem(dialog, row[1])) << row[0];
            EXPECT_TRUE(!row[2] || Heard(control, 0) == label + std::wstring(L" 42")) << row[0];
        }
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, 3000));
    }
    QuitBar(window);
    CoUninitialize();
}

TEST_F(EndToEnd, TheWrenchOpensTheSettingsAndOkAppliesThem)
{
    StoreDword("DispPage", 2);
    const HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    const HWND settings = OpenSettings();
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

TEST_F(EndToEnd, TheAboutBoxClosesAndTheHelpDocumentBesideTheProgramOpens)
{
    ViewHelpWith(PrepareRecorder("Recorder Home"));
    // A document of the same name in the current folder, which the bar must not take.
    CloseHandle(CreateFileA((home + "\\korimbel.htm").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    const HWND window = StartBar();
    ASSERT_NE(window, nullptr);
    const HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    PostMessageA(settings, WM_COMMAND, 3, 0); // ﾊﾞｰｼﾞｮﾝ
    const HWND about = WaitForDialog(kAboutCaption);
    ASSERT_NE(about, nullptr);
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(about); }, 3000));
    PostMessageA(settings, WM_COMMAND, 5, 0); // 使い方
    const std::vector<Launch> launches = Launches(1);
    ASSERT_EQ(launches.size(), 1u) << "the help document was not opened";
    const std::string document = "\"" + LowerAscii(KorimbelFolder()) + "\\korimbel.htm\"";
    EXPECT_NE(launches[0].commandLine.find(document), std::string::npos) << launches[0].commandLine;
    EXPECT_TRUE(IsWindow(settings));
    PostMessageA(settings, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(settings); }, 3000));
    QuitBar(window);
}

// The program's folder is where its file lies, wherever it was started from: here a copy in
// folders of double-byte characters (表, ソ and 能 end in 0x5C, ア in "A", which lower-casing
// must not touch), started from the system folder with nothing stored, as Windows starts it at
// log-on. The start-with-Windows entry then names that copy.
TEST_F(EndToEnd, AStartFromTheSystemFolderNamesTheProgramWhereItLies)
{
    const std::string first = TestFolder() + "\\E2E \x95\x5c\x83\x5c";
    const std::string program = first + "\\\x94\x5c\x83\x41\\korimbel.exe";
    CreateDirectoryA(first.c_str(), nullptr);
    CreateDirectoryA(program.substr(0, program.rfind('\\')).c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(KorimbelPath().c_str(), program.c_str(), FALSE));
    bar = StartKorimbel("C:\\windows\\system32", program);
    const HWND window = WaitForBar();
    ASSERT_NE(window, nullptr);
    Pump(300);
    const std::string folder =
        LowerAscii(TestFolder()) + "\\e2e \x95\x5c\x83\x5c\\\x94\x5c\x83\x41";
    EXPECT_EQ(StoredString("curpath"), folder + '\0');
    const HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    SendDlgItemMessageA(settings, 1031, BM_SETCHECK, BST_CHECKED, 0); // start with Windows
    PostMessageA(settings, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return RunValue(HKEY_LOCAL_MACHINE) != "<absent>"; }, 3000));
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), "\"" + folder + "\\korimbel.exe\"");
    QuitBar(window);
}

// A folder whose name the code page cannot hold (ő is in neither 932 nor 1252) is stored by its
// short form, which the ANSI calls open; the program started by its long UTF-16 name.
TEST_F(EndToEnd, AProgramFolderOutsideTheCodePageIsNamedByItsShortForm)
{
    const std::wstring folder = Wide(TestFolder()) + L"\\Bar \x0151";
    wchar_t shortName[MAX_PATH];
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(Wide(KorimbelPath()).c_str(), (folder + L"\\korimbel.exe").c_str(), FALSE));
    bar = StartKorimbel(Wide(TestFolder()), folder + L"\\korimbel.exe");
    const HWND window = WaitForBar();
    ASSERT_NE(window, nullptr);
    Pump(300);
    GetShortPathNameW(folder.c_str(), shortName, MAX_PATH);
    EXPECT_EQ(StoredString("curpath"), LowerAscii(Narrow(shortName)) + '\0');
    EXPECT_EQ(Narrow(shortName).find('?'), std::string::npos) << Narrow(shortName);
    QuitBar(window);
}

// Windows of the bar's class, whichever process made them.
int CountBars()
{
    int count = 0;
    for (HWND w = FindWindowExA(nullptr, nullptr, "KORIMBEL", nullptr); w;
         w = FindWindowExA(nullptr, w, "KORIMBEL", nullptr))
        ++count;
    return count;
}

// Two starts at once or a moment apart (a double double-click, two Run values) pass the window
// test before either window exists; one bar runs all the same, and the other start ends with 0.
TEST_F(EndToEnd, TwoStartsAMomentApartLeaveOneBar)
{
    for (DWORD gap : {0u, 50u}) {
        bar = StartKorimbel(home);
        Sleep(gap);
        other = StartKorimbel(home);
        ASSERT_NE(other.handle, nullptr);
        const HANDLE both[] = {bar.handle, other.handle};
        if (WaitForMultipleObjects(2, both, FALSE, 15000) == WAIT_OBJECT_0)
            std::swap(bar, other);
        ASSERT_TRUE(WaitExit(other, 0)) << "both starts still run, " << gap << " ms apart";
        EXPECT_EQ(other.exitCode, 0u);
        const HWND window = WaitForBar();
        ASSERT_NE(window, nullptr);
        Pump(300);
        EXPECT_EQ(CountBars(), 1);
        // The bar holds its session's mutex for its life.
        const HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, SINGLE_BAR_MUTEX);
        EXPECT_NE(mutex, nullptr);
        CloseHandle(mutex);
        QuitBar(window);
        EXPECT_EQ(OpenMutexA(SYNCHRONIZE, FALSE, SINGLE_BAR_MUTEX), nullptr);
    }
}

// The texts of a dialog's controls, in their order.
std::vector<std::wstring> ControlTexts(HWND dialog)
{
    std::vector<std::wstring> texts;
    for (HWND control = GetWindow(dialog, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
        wchar_t text[128] = L"";
        GetWindowTextW(control, text, 128);
        texts.push_back(text);
    }
    return texts;
}

// The download as a user takes it: unpacked into a folder with a blank and Japanese characters
// in its name and started there by a double-click.
TEST_F(EndToEnd, TheZipUnpackedIntoAJapaneseFolderShowsItsVersionAndHelpAndLeavesOnlyItsKey)
{
    const std::wstring tools = L"C:\\\x30C4\x30FC\x30EB\x96C6"; // C:\ツール集
    const std::wstring folder = tools + L"\\Korimbel 1.0";
    ASSERT_TRUE(RemoveFolder(folder)); // left by an earlier run
    CreateDirectoryW(tools.c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring zip =
        Wide(TestFolder()) + L"\\..\\dist\\korimbel-" KORIMBEL_VERSION "-win32.zip";
    ASSERT_EQ(RunLinuxCommand(L"unzip -q '" + LinuxPath(zip) + L"'", folder.c_str()), 0);
    const std::vector<std::wstring> unpacked = FilesIn(folder);
    EXPECT_EQ(unpacked, (std::vector<std::wstring>{L"LICENSE.txt", L"korimbel.exe", L"korimbel.htm",
                                                   L"readme.txt"}));
    EXPECT_EQ(FileBytes(folder + L"\\korimbel.exe"), FileBytes(Wide(KorimbelPath())));
    for (const wchar_t *text : {L"\\readme.txt", L"\\LICENSE.txt", L"\\korimbel.htm"})
        EXPECT_TRUE(WindowsLineEnds(FileBytes(folder + text))) << Narrow(text);
    EXPECT_EQ(FileBytes(folder + L"\\readme.txt").compare(0, 3, "\xEF\xBB\xBF"), 0);

    const std::string recorder = PrepareRecorder("Help Viewer");
    ViewHelpWith(recorder);
    const std::string programFolder = Narrow(folder);
    const HWND window = StartBar(programFolder, programFolder + "\\korimbel.exe");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(SameRect(WindowRect(window), RECT{995, 0, 1024, 768}))
        << Describe(WindowRect(window));
    const HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    PostMessageA(settings, WM_COMMAND, 3, 0); // ﾊﾞｰｼﾞｮﾝ
    const HWND about = WaitForDialog(kAboutCaption);
    ASSERT_NE(about, nullptr);
    const std::vector<BYTE> properties = FileProperties(folder + L"\\korimbel.exe");
    const std::vector<std::wstring> shown = ControlTexts(about);
    for (const std::wstring &line :
         {L"Korimbel " + PropertyText(properties, L"041104b0", L"ProductVersion"),
          PropertyText(properties, L"041104b0", L"LegalCopyright")})
        EXPECT_NE(std::find(shown.begin(), shown.end(), line), shown.end())
            << Narrow(line, CP_UTF8);
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(about); }, 3000));
    PostMessageA(settings, WM_COMMAND, 5, 0); // 使い方
    const std::vector<Launch> viewers = Launches(1);
    ASSERT_EQ(viewers.size(), 1u);
    // The program's own folder as the bar keeps it: ASCII lower-cased, ツール集 (its 集 ends in
    // "W") whole.
    EXPECT_EQ(viewers[0].commandLine, "\"" + recorder +
                                          "\" \"c:\\\x83\x63\x81\x5b\x83\x8b\x8f\x57\\korimbel "
                                          "1.0\\korimbel.htm\"");
    PostMessageA(settings, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(settings); }, 3000));
    QuitBar(window);

    // Removing it as the read-me says leaves nothing: the bar wrote no file into its folder,
    // holds none open and keeps its settings in its key.
    EXPECT_TRUE(KeyExists(kRootKey));
    EXPECT_EQ(FilesIn(folder), unpacked);
    EXPECT_TRUE(RemoveFolder(folder));
    RemoveDirectoryW(tools.c_str());
}

BOOL CALLBACK KeepTopmostButton(HWND child, LPARAM lParam)
{
    RECT &topmost = *reinterpret_cast<RECT *>(lParam);
    char name[16] = "";
    GetClassNameA(child, name, 16);
    const RECT r = WindowRect(child);
    if (lstrcmpiA(name, "Button") == 0 && r.top < topmost.top)
        topmost = r;
    return TRUE;
}

// The screen rectangle of the topmost of the bar's launch buttons.
RECT FirstLaunchButton(HWND window)
{
    RECT topmost = {0, 0x7fff, 0, 0x7fff};
    EnumChildWindows(window, KeepTopmostButton, reinterpret_cast<LPARAM>(&topmost));
    return topmost;
}

// Started from a download folder that holds DLLs named like the system's, the bar loads none of
// them. Wine is told to prefer native DLLs of these names for korimbel.exe, and so looks for
// them as Windows does, in the program's folder first.
TEST_F(EndToEnd, DllsPlantedBesideTheProgramAreNeverLoaded)
{
    const std::string folder = FreshFolder("Downloads");
    ASSERT_TRUE(CopyFileA(KorimbelPath().c_str(), (folder + "\\korimbel.exe").c_str(), FALSE));
    const std::vector<std::wstring> set = FilesIn(Wide(TestFolder() + "\\planted"), L"*.dll");
    ASSERT_EQ(set.size(), 10u); // the build's set: comctl32, uxtheme, msimg32, dwmapi ...
    for (const std::wstring &name : set) {
        const std::string dll = Narrow(name), planted = folder + "\\" + dll;
        DeleteFileA((planted + ".loaded").c_str());
        ASSERT_TRUE(CopyFileA((TestFolder() + "\\planted\\" + dll).c_str(), planted.c_str(), FALSE))
            << dll;
        StoreRaw(kKorimbelDllOverrides, dll.substr(0, dll.size() - 4).c_str(), REG_SZ,
                 "native,builtin", 15);
    }
    const HWND window = StartBar(folder, folder + "\\korimbel.exe");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(SameRect(WindowRect(window), RECT{995, 0, 1024, 768}))
        << Describe(WindowRect(window));
    // A screen reader's first request takes the accessibility library; the toolbar, a common
    // control, opens the settings; an empty button opens its properties, whose browsing takes
    // the open-file dialog's library.
    SendMessageA(LaunchButtons(window)[0], WM_GETOBJECT, 0, OBJID_CLIENT);
    const HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    PostMessageA(settings, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(settings); }, 3000));
    const RECT button = FirstLaunchButton(window);
    Xdotool("mousemove " + std::to_string((button.left + button.right) / 2) + " " +
            std::to_string((button.top + button.bottom) / 2) + " click 1");
    const HWND properties = WaitForDialog(kPropertiesCaption);
    ASSERT_NE(properties, nullptr) << Describe(button);
    PostMessageA(properties, WM_COMMAND, 3, 0); // 参照
    const HWND browse = WaitForDialog(kBrowseCaption);
    EXPECT_NE(browse, nullptr) << "no open-file dialog";
    PostMessageA(browse, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(browse); }, 3000));
    PostMessageA(properties, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(properties); }, 3000));
    QuitBar(window);
    EXPECT_EQ(FilesIn(Wide(folder), L"*.loaded"), std::vector<std::wstring>{});
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

TEST(Manifest, RunsAsTheUserAwareOfEachMonitorsDpiOnEveryWindowsUpToEleven)
{
    const std::string manifest = ManifestOfKorimbel();
    ASSERT_FALSE(manifest.empty()) << "no manifest";
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
    EXPECT_EQ(manifest.find("gdiScaling"), std::string::npos);
    EXPECT_NE(manifest.find("name=\"Quorvane.Korimbel\" version=\"" KORIMBEL_VERSION ".0\""),
              std::string::npos);
    for (const char *os : {"e2011457-1546-43c5-a5fe-008deee3d3f0",  // Vista
                           "35138b9a-5d96-4fbd-8e2d-a2440225f93a",  // 7
                           "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",  // 8
                           "1f676c76-80e1-4239-95bb-83d0f6d0da78",  // 8.1
                           "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) // 10 and 11
        EXPECT_NE(manifest.find(os), std::string::npos) << os;
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos) << "the classic controls";
}

// What Explorer shows as the program's properties, read back as Windows reads them; printed.
TEST(FileProperties, NameVersionAndMakerInAJapaneseAndANeutralEnglishBlock)
{
    const std::vector<BYTE> properties = FileProperties(Wide(KorimbelPath()));
    ASSERT_FALSE(properties.empty()) << "no version resource";
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(properties.data(), L"\\", reinterpret_cast<void **>(&fixed), &size));
    char numbers[64];
    wsprintfA(numbers, "%u.%u.%u.%u %u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
              LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
              LOWORD(fixed->dwFileVersionLS), HIWORD(fixed->dwProductVersionMS),
              LOWORD(fixed->dwProductVersionMS), HIWORD(fixed->dwProductVersionLS),
              LOWORD(fixed->dwProductVersionLS));
    EXPECT_EQ(std::string(numbers), KORIMBEL_VERSION ".0 " KORIMBEL_VERSION ".0");
    EXPECT_EQ(fixed->dwFileType, DWORD(VFT_APP));
    std::printf("file and product version %s\n", numbers);

    // Language in the low word, code page (1200, UTF-16) in the high word.
    DWORD *translations = nullptr;
    ASSERT_TRUE(VerQueryValueW(properties.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void **>(&translations), &size));
    EXPECT_EQ(std::vector<DWORD>(translations, translations + size / 4),
              (std::vector<DWORD>{0x04b00411, 0x04b00000}));

    const std::wstring version = L"" KORIMBEL_VERSION;
    for (const wchar_t *block : {L"041104b0", L"000004b0"}) {
        const bool japanese = block[3] == L'1';
        const std::pair<const wchar_t *, std::wstring> expected[] = {
            {L"CompanyName", L"the Korimbel authors"},
            {L"FileDescription", japanese ? L"Korimbel \x30E9\x30F3\x30C1\x30E3\x30FC\x30D0\x30FC"
                                          : L"Korimbel launcher bar"}, // ランチャーバー
            {L"FileVersion", version},
            {L"InternalName", L"korimbel"},
            {L"LegalCopyright", L"(C) 2026 the Korimbel authors"},
            {L"OriginalFilename", L"korimbel.exe"},
            {L"ProductName", L"Korimbel"},
            {L"ProductVersion", version}};
        for (const auto &field : expected) {
            const std::wstring read = PropertyText(properties, block, field.first);
            EXPECT_EQ(read, field.second) << Narrow(block) << " " << Narrow(field.first);
            std::printf("%s %-16s %s\n", Narrow(block).c_str(), Narrow(field.first).c_str(),
                        Narrow(read, CP_UTF8).c_str());
        }
    }
}

} // namespace
