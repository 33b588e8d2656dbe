// Whatever a user, another program or a damaged profile leaves in the bar's key, the bar starts,
// pages, opens its dialogs and quits cleanly, and leaves alone what it does not own. Each case
// fills the key from a seed; a failing case names its seed in the test's name (…/Seed/7).
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <map>

#include "barprocess.h"
#include "bartest.h"
#include "res/resource.h"
#include "store/settings.h"
#include "store/slots.h"

namespace
{

// A small deterministic generator, so that a seed always fills the key the same way.
struct Generator {
    uint32_t state;
    uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    int Below(int n) { return int(Next() % uint32_t(n)); }
    bool OneIn(int n) { return Below(n) == 0; }
};

// Bytes for text: ASCII, blanks, quotes and per cent signs, double-byte characters whose second
// byte is "\", and lone high bytes that pair with whatever follows.
std::string GarbageText(Generator &g, int length)
{
    static const char *const kPieces[] = {"a", "Z", "7", " ", "\"", "%", "\x95\x5c", "\x83\x5c",
                                          "\x94\x5c", "\x82\xa0", "\x81", "\xff", "\xdf", "_"};
    std::string text;
    while (int(text.size()) < length)
        text += kPieces[g.Below(int(sizeof kPieces / sizeof *kPieces))];
    text.resize(length);
    return text;
}

int GarbageLength(Generator &g)
{
    static const int kLengths[] = {0, 1, 3, 20, 40, 254, 255, 256, 4000};
    return kLengths[g.Below(int(sizeof kLengths / sizeof *kLengths))];
}

// A file name no program or folder of the system answers to: launching it must fail.
std::string GarbageFile(Generator &g)
{
    const int length = GarbageLength(g);
    if (length < 2)
        return GarbageText(g, length);
    const std::string folder = "C:\\qz-missing\\";
    const bool inFolder = length > int(folder.size()) && g.OneIn(3);
    return ((inFolder ? folder : "") + "qz" + GarbageText(g, length)).substr(0, length);
}

void StoreText(Generator &g, const char *path, const char *name, const std::string &text)
{
    const DWORD type = g.OneIn(4) ? REG_EXPAND_SZ : REG_SZ;
    const bool terminated = !g.OneIn(3);
    StoreRaw(path, name, type, text.c_str(), DWORD(text.size() + (terminated ? 1 : 0)));
}

// A value of some other type than the reader expects, or of a size it does not expect.
void StoreWrongType(Generator &g, const char *path, const char *name)
{
    const std::string bytes = GarbageText(g, g.Below(12));
    switch (g.Below(4)) {
    case 0:
        StoreRaw(path, name, REG_BINARY, bytes.data(), DWORD(bytes.size()));
        break;
    case 1: {
        const std::string multi = bytes + '\0' + bytes + '\0' + '\0';
        StoreRaw(path, name, REG_MULTI_SZ, multi.data(), DWORD(multi.size()));
        break;
    }
    case 2: {
        const uint64_t wide = (uint64_t(g.Next()) << 32) | g.Next();
        StoreRaw(path, name, REG_QWORD, &wide, 8);
        break;
    }
    default:
        StoreRaw(path, name, REG_DWORD, bytes.data(), DWORD(bytes.size() % 4)); // short
    }
}

DWORD GarbageNumber(Generator &g)
{
    static const DWORD kNumbers[] = {0, DWORD(-1), DWORD(INT_MIN), DWORD(INT_MAX), 1, 2, 3, 4};
    if (g.OneIn(4))
        return g.Next();
    return kNumbers[g.Below(int(sizeof kNumbers / sizeof *kNumbers))];
}

void FillNumberSetting(Generator &g, const char *name)
{
    switch (g.Below(6)) {
    case 0:
        return; // absent
    case 1:
        StoreWrongType(g, kRootKey, name);
        return;
    case 2:
        StoreText(g, kRootKey, name, GarbageText(g, GarbageLength(g)));
        return;
    default:
        StoreDword(name, GarbageNumber(g));
    }
}

std::string OptionText(Generator &g)
{
    switch (g.Below(4)) {
    case 0:
        return GarbageText(g, 3);
    case 1:
        return GarbageText(g, 40);
    case 2:
        return std::string("1") + GarbageText(g, 18) + char('0' + g.Below(10));
    default:
        return std::string(g.OneIn(2) ? "1" : "0") + std::string(18, '0') +
               char('0' + g.Below(10));
    }
}

void FillRecord(Generator &g, const char *key, const char *name)
{
    switch (g.Below(5)) {
    case 0:
        return;
    case 1:
        StoreWrongType(g, key, name);
        return;
    default:
        if (key == kFileKey)
            StoreText(g, key, name, GarbageFile(g));
        else if (key == kOptionKey)
            StoreText(g, key, name, OptionText(g));
        else
            StoreText(g, key, name, GarbageText(g, GarbageLength(g)));
    }
}

void FillKey(uint32_t seed)
{
    Generator g = {seed * 2654435761u + 1};
    for (const Setting *s : {&kHideTime, &kTimerSound, &kHideMode, &kTopMode, &kStartExecFlg,
                             &kStartLaunch, &kMaxPage, &kHotKey, &kAppBarMode, &kFloatMode,
                             &kDispPage, &kX, &kY, &kWidth, &kHeight, &kMonitorX, &kMonitorY})
        FillNumberSetting(g, s->name);
    if (g.OneIn(3))
        StoreDword(kDispPage.name, 1000);
    if (!g.OneIn(3))
        StoreText(g, kRootKey, kCurPathValue, GarbageText(g, GarbageLength(g)));
    std::vector<std::string> names = {"", "-1", "2147483647", "99999", "abc", "0x10", "007"};
    for (int slot = 0, last = g.Below(60); slot <= last; ++slot)
        names.push_back(std::to_string(slot));
    for (const std::string &name : names)
        for (const char *key : {kFileKey, kTitleKey, kOptionKey})
            FillRecord(g, key, name.c_str());
}

// Every value under a key and its sub-keys, by path and name, with type and bytes.
using Snapshot = std::map<std::string, StoredValue>;

void TakeSnapshot(HKEY parent, const std::string &path, Snapshot &into)
{
    HKEY key;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    char name[16384];
    std::vector<BYTE> data(65536);
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name, size = DWORD(data.size()), type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data.data(), &size) !=
            ERROR_SUCCESS)
            break;
        into[path + "|" + name] = {true, type, std::vector<BYTE>(data.begin(), data.begin() + size)};
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        subkeys.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string &sub : subkeys)
        TakeSnapshot(parent, path + "\\" + sub, into);
}

Snapshot SnapshotOfEverythingKept()
{
    Snapshot s;
    TakeSnapshot(HKEY_CURRENT_USER, kRootKey, s);
    TakeSnapshot(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", s);
    // What the bar itself keeps: where it stands, its page and its folder.
    for (const char *name :
         {kCurPathValue, kMonitorNameValue, kDispPage.name, kFloatMode.name, kAppBarMode.name,
          kX.name, kY.name, kWidth.name, kHeight.name, kMonitorX.name, kMonitorY.name})
        s.erase(std::string(kRootKey) + "|" + name);
    return s;
}

// The names whose values differ, appeared or went.
std::string Differences(const Snapshot &before, const Snapshot &after)
{
    std::string names;
    for (const auto &[name, value] : before) {
        const auto found = after.find(name);
        if (found == after.end() || found->second.type != value.type ||
            found->second.bytes != value.bytes)
            names += " " + name;
    }
    for (const auto &entry : after)
        if (!before.count(entry.first))
            names += " +" + entry.first;
    return names;
}

struct DialogSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindDialogOf(HWND window, LPARAM lParam)
{
    DialogSearch *search = reinterpret_cast<DialogSearch *>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (process == search->process && IsWindowVisible(window) && lstrcmpA(name, "#32770") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForDialogOf(DWORD process, DWORD milliseconds)
{
    DialogSearch search = {process, nullptr};
    PumpUntil(
        [&] {
            EnumWindows(FindDialogOf, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        milliseconds);
    return search.found;
}

bool CancelDialog(HWND dialog)
{
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return PumpUntil([&] { return !IsWindow(dialog); }, 5000);
}

// The panel's first button: the launch button nearest the bar's top-left corner.
HWND FirstButton(HWND bar)
{
    HWND best = nullptr;
    for (HWND button : LaunchButtons(bar)) {
        const RECT r = WindowRect(button), b = WindowRect(best);
        if (!best || r.top < b.top || (r.top == b.top && r.left < b.left))
            best = button;
    }
    return best;
}

bool Answers(HWND window, UINT message, WPARAM wParam)
{
    DWORD_PTR result;
    return SendMessageTimeoutA(window, message, wParam, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

class HostileRegistry : public testing::TestWithParam<uint32_t>
{
  protected:
    void SetUp() override
    {
        ASSERT_EQ(FindWindowA(BAR_CLASS_NAME, nullptr), nullptr) << "another bar is running";
        DeleteKeyTree(kRootKey);
        home = FreshFolder("Hostile Home");
    }
    void TearDown() override
    {
        EndKorimbel(bar);
        DeleteKeyTree(kRootKey);
    }

    void TurnPagesAndRebuild(HWND window)
    {
        for (WPARAM command : {IDM_NEXT_PAGE, IDM_NEXT_PAGE, IDM_PREVIOUS_PAGE, IDM_PREVIOUS_PAGE,
                               IDM_PREVIOUS_PAGE, IDM_NEXT_PAGE})
            ASSERT_TRUE(Answers(window, WM_COMMAND, command)) << "page turn " << command;
        ASSERT_TRUE(Answers(window, UM_REBUILD_PANEL, 0)) << "rebuild";
    }

    // No file of the generated key can be opened, so the click ends in the properties dialog.
    void ClickFirstButton(HWND window)
    {
        const HWND button = FirstButton(window);
        ASSERT_NE(button, nullptr) << "the panel has no button";
        PostMessageA(button, WM_LBUTTONUP, 0, 0);
        const HWND dialog = WaitForDialogOf(GetProcessId(bar.handle), 5000);
        ASSERT_NE(dialog, nullptr) << "no properties dialog after a failed launch";
        EXPECT_TRUE(CancelDialog(dialog));
    }

    void OpenAndCancelSettings(HWND window)
    {
        PostMessageA(window, WM_COMMAND, IDM_SETTINGS, 0);
        const HWND dialog = WaitForDialogOf(GetProcessId(bar.handle), 5000);
        ASSERT_NE(dialog, nullptr) << "no settings dialog";
        EXPECT_TRUE(CancelDialog(dialog));
    }

    std::string home;
    BarProcess bar;
};

TEST_P(HostileRegistry, Seed)
{
    FillKey(GetParam());
    const Snapshot before = SnapshotOfEverythingKept();
    bar = StartKorimbel(home);
    ASSERT_NE(bar.handle, nullptr);
    const HWND window = WaitForBar();
    ASSERT_NE(window, nullptr) << "no bar window";
    ASSERT_TRUE(Answers(window, WM_NULL, 0)) << "the bar does not answer";
    TurnPagesAndRebuild(window);
    ClickFirstButton(window);
    OpenAndCancelSettings(window);
    EXPECT_EQ(WaitForDialogOf(GetProcessId(bar.handle), 0), nullptr) << "a dialog stayed open";

    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitExit(bar, 10000)) << "the bar did not quit";
    EXPECT_EQ(bar.exitCode, 0u);
    EXPECT_FALSE(ProcessRunning("winedbg.exe")) << "a debugger was started";
    EXPECT_EQ(Differences(before, SnapshotOfEverythingKept()), "");
    const int edge = StoredDword(kAppBarMode.name), floating = StoredDword(kFloatMode.name);
    EXPECT_TRUE(edge >= 0 && edge <= 3) << edge;
    EXPECT_TRUE(floating == 0 || floating == 1) << floating;
}

// Without its common controls the bar cannot stand: it ends at once, with every stored value,
// its placement among them, as it was.
TEST_F(HostileRegistry, ACreationThatFailsLeavesTheRegistryAsItWas)
{
    for (const auto &[name, value] : {std::pair{kFloatMode.name, 1},
                                      {kX.name, 240},
                                      {kY.name, 160},
                                      {kWidth.name, 300},
                                      {kHeight.name, 51},
                                      {kAppBarMode.name, 1},
                                      {kDispPage.name, 3},
                                      {kMonitorX.name, -800}})
        StoreDword(name, value);
    Snapshot before;
    TakeSnapshot(HKEY_CURRENT_USER, kRootKey, before);
    StoreRaw(kKorimbelDllOverrides, "comctl32", REG_SZ, "", 1);
    bar = StartKorimbel(home);
    ASSERT_NE(bar.handle, nullptr);
    const bool ended = WaitExit(bar, 10000);
    DeleteKeyTree(kKorimbelDllOverrides);
    ASSERT_TRUE(ended) << "the bar did not end";
    EXPECT_EQ(FindWindowA(BAR_CLASS_NAME, nullptr), nullptr);
    Snapshot after;
    TakeSnapshot(HKEY_CURRENT_USER, kRootKey, after);
    EXPECT_EQ(Differences(before, after), "");
    EXPECT_EQ(after.size(), 8u);
}

INSTANTIATE_TEST_SUITE_P(Seeds, HostileRegistry, testing::Range(1u, 31u),
                         [](const testing::TestParamInfo<uint32_t> &info) {
                             return std::to_string(info.param);
                         });

} // namespace
