// The settings dialog, the start-up list and the About box, opened from the running bar as a
// user does and driven through their controls.
#include <windows.h>

#include <gtest/gtest.h>

#include "barfixture.h"
#include "dialogs/settingsdlg.h"
#include "modal.h"
#include "panel/panel.h"
#include "res/resource.h"
#include "placement/barwindow.h"
#include "store/autostart.h"
#include "store/settings.h"
#include "store/slots.h"

#include <fstream>

namespace
{

class Settings : public BarTest
{
  protected:
    void SetUp() override
    {
        BarTest::SetUp();
        DeleteRunValue(HKEY_LOCAL_MACHINE);
        DeleteRunValue(HKEY_CURRENT_USER);
    }
    void TearDown() override
    {
        BarTest::TearDown();
        DeleteRunValue(HKEY_LOCAL_MACHINE);
        DeleteRunValue(HKEY_CURRENT_USER);
    }
    // Opens the settings from the bar's toolbar command and runs `change` on the dialog before
    // pressing `button`.
    void Configure(const std::function<void(HWND)> &change, int button = IDOK)
    {
        DriveModal({[=] {
            HWND dialog = FindDialog(BarWindow);
            if (!dialog)
                return false;
            caption = WindowTextW(dialog);
            change(dialog);
            PostMessageA(dialog, WM_COMMAND, button, 0);
            return true;
        }});
        SendMessageA(BarWindow, WM_COMMAND, IDM_SETTINGS, 0);
        EXPECT_TRUE(ModalStepsDone());
        Pump(50);
    }
    static void Select(HWND dialog, int index)
    {
        SendDlgItemMessageA(dialog, IDC_PAGE_COUNT, CB_SETCURSEL, index, 0);
    }
    static void Check(HWND dialog, int control, bool on)
    {
        SendDlgItemMessageA(dialog, control, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    std::wstring caption;
};

TEST_F(Settings, OkWithoutChangesWritesAllEightValuesAndChangesNothingOnScreen)
{
    StoreDword("TimerSound", 5);
    StartBar();
    const HWND panel = ButtonPanel;
    Calls.clear();
    wchar_t firstCount[16] = L"", topmost[16] = L"";
    Configure([&](HWND dialog) {
        SendDlgItemMessageW(dialog, IDC_PAGE_COUNT, CB_GETLBTEXT, 0, LPARAM(firstCount));
        GetDlgItemTextW(dialog, IDC_TOP_MODE, topmost, 16);
    });
    EXPECT_EQ(caption, kSettingsCaption);
    EXPECT_STREQ(firstCount, L"1\xFF8D\xFF9F\xFF70\xFF7C\xFF9E");      // 1ﾍﾟｰｼﾞ
    EXPECT_STREQ(topmost, L"\x5E38\x306B\x524D\x9762\x306B\x8868\x793A\x3059\x308B"); // 常に前面に表示する
    EXPECT_EQ(StoredDword("HideTime"), 200);
    EXPECT_EQ(StoredDword("TopMode"), 1);
    EXPECT_EQ(StoredDword("HideMode"), 0);
    EXPECT_EQ(StoredDword("StartLaunch"), 1);
    EXPECT_EQ(StoredDword("StartExecFlg"), 0);
    EXPECT_EQ(StoredDword("MaxPage"), 4);
    EXPECT_EQ(StoredDword("HotKey"), 0x064B); // Ctrl+Alt+K
    EXPECT_EQ(StoredDword("TimerSound"), 0);
    EXPECT_EQ(ButtonPanel, panel);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Settings, CancelWritesNothing)
{
    StartBar();
    Configure([](HWND dialog) { Check(dialog, IDC_TOP_MODE, false); }, IDCANCEL);
    for (const char *name : {"HideTime", "TopMode", "HideMode", "StartLaunch", "MaxPage"})
        EXPECT_FALSE(ReadStored(kRootKey, name).present) << name;
    EXPECT_EQ(::Settings.TopMode, 1);
}

TEST_F(Settings, OnePageWhilePageThreeIsShownGoesBackToPageZero)
{
    StoreDword("DispPage", 3);
    StartBar();
    LRESULT selected = -5;
    Configure([&](HWND dialog) {
        selected = SendDlgItemMessageA(dialog, IDC_PAGE_COUNT, CB_GETCURSEL, 0, 0);
        Select(dialog, 0);
    });
    EXPECT_EQ(selected, 3); // ::Settings.MaxPage 4 is "5ﾍﾟｰｼﾞ"
    EXPECT_EQ(StoredDword("MaxPage"), 0);
    EXPECT_EQ(::Settings.DispPage, 0);
    EXPECT_EQ(GetDlgCtrlID(GetWindow(ButtonPanel, GW_CHILD)), 0);
}

TEST_F(Settings, MorePagesChangeNothingOnScreen)
{
    StoreDword("DispPage", 3);
    StartBar();
    const HWND panel = ButtonPanel;
    Configure([](HWND dialog) { Select(dialog, 4); });
    EXPECT_EQ(StoredDword("MaxPage"), 9);
    EXPECT_EQ(ButtonPanel, panel);
    Configure([](HWND dialog) { Select(dialog, 2); });
    EXPECT_EQ(StoredDword("MaxPage"), 2);
    EXPECT_EQ(::Settings.DispPage, 0); // page 3 lies beyond the three pages left
}

TEST_F(Settings, AnUnofferedPageCountSelectsNothingAndIsKept)
{
    StoreDword("MaxPage", 7);
    StartBar();
    LRESULT selected = 0;
    Configure([&](HWND dialog) {
        selected = SendDlgItemMessageA(dialog, IDC_PAGE_COUNT, CB_GETCURSEL, 0, 0);
    });
    EXPECT_EQ(selected, CB_ERR);
    EXPECT_EQ(StoredDword("MaxPage"), 7);
}

TEST_F(Settings, TheDelayIsReadAsAtoiDoes)
{
    StartBar();
    const struct {
        const char *typed;
        int stored;
    } cases[] = {{"1500ms", 1500}, {"abc", 0}, {" 300", 300}, {"-40", -40}};
    for (const auto &c : cases) {
        Configure([&](HWND dialog) { SetDlgItemTextA(dialog, IDC_HIDE_TIME, c.typed); });
        EXPECT_EQ(StoredDword("HideTime"), c.stored) << c.typed;
        EXPECT_EQ(::Settings.HideTime, c.stored);
    }
}

// A shown bar whose timer would not tick for ten minutes hides at the new delay.
TEST_F(Settings, ANewDelayRestartsTheRunningTimerWithIt)
{
    StartHiding();
    Tick();
    Touch();
    ASSERT_FALSE(Hidden());
    Configure([](HWND dialog) { SetDlgItemTextA(dialog, IDC_HIDE_TIME, "100"); });
    EXPECT_TRUE(PumpUntil(Hidden, 2000));
}

TEST_F(Settings, AutoHideSwitchedWhileDockedTellsTheShell)
{
    StartBar();
    Calls.clear();
    Configure([](HWND dialog) { Check(dialog, IDC_HIDE_MODE, true); });
    EXPECT_EQ(Messages(),
              (std::vector<DWORD>{ABM_REMOVE, ABM_GETTASKBARPOS, ABM_QUERYPOS, ABM_SETPOS}));
    Calls.clear();
    Configure([](HWND dialog) { Check(dialog, IDC_HIDE_MODE, false); });
    EXPECT_EQ(Messages(), (std::vector<DWORD>{ABM_NEW, ABM_QUERYPOS, ABM_SETPOS}));
}

TEST_F(Settings, AStoredAutoHideFlagOfTwoShowsTickedAndIsSavedAsOne)
{
    StoreDword("HideMode", 2);
    StartBar();
    Calls.clear();
    bool ticked = false;
    Configure([&](HWND dialog) {
        ticked = SendDlgItemMessageA(dialog, IDC_HIDE_MODE, BM_GETCHECK, 0, 0) == BST_CHECKED;
    });
    EXPECT_TRUE(ticked);
    EXPECT_EQ(StoredDword("HideMode"), 1);
    EXPECT_TRUE(Messages().empty()); // unchanged: the shell hears nothing
}

TEST_F(Settings, AutoHideSwitchedWhileFloatingWaitsForTheNextDocking)
{
    StoreDword("FloatMode", 1);
    StartBar();
    Calls.clear();
    Configure([](HWND dialog) { Check(dialog, IDC_HIDE_MODE, true); });
    EXPECT_EQ(::Settings.HideMode, 1);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Settings, TheTopmostBandFollowsAtOnce)
{
    StartBar();
    Configure([](HWND dialog) { Check(dialog, IDC_TOP_MODE, false); });
    EXPECT_EQ(GetWindowLongA(BarWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    Configure([](HWND dialog) { Check(dialog, IDC_TOP_MODE, true); });
    EXPECT_NE(GetWindowLongA(BarWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(Settings, StartWithWindowsWritesAndDeletesTheRunValue)
{
    StartBar(FreshFolder("Bar Home")); // the folder of this test program, not the current one
    const std::string expected = LowerAscii(TestFolder()) + "\\korimbel.exe";
    Configure([](HWND dialog) { Check(dialog, IDC_START_EXEC, true); });
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), expected);
    EXPECT_EQ(StoredDword("StartExecFlg"), 1);
    Configure([](HWND) {}); // unchanged: nothing touched
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), expected);
    Configure([](HWND dialog) { Check(dialog, IDC_START_EXEC, false); });
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), "<absent>");
    // Written by an earlier start as administrator: the box shows on whatever the setting says.
    ApplyAutostart(HKEY_LOCAL_MACHINE, true, ::Settings.curpath);
    int shown = -1;
    Configure([&](HWND dialog) { shown = IsDlgButtonChecked(dialog, IDC_START_EXEC); }, IDCANCEL);
    EXPECT_EQ(shown, BST_CHECKED);
}

TEST_F(Settings, WithoutRightsToTheMachineTheUsersRunKeyTakesTheEntry)
{
    StartBar();
    const HKEY unwritable = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234));
    ApplyAutostart(unwritable, true, ::Settings.curpath);
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER), std::string(::Settings.curpath) + "\\korimbel.exe");
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), "<absent>");
    EXPECT_FALSE(ApplyAutostart(HKEY_LOCAL_MACHINE, false, ::Settings.curpath));
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER), "<absent>");
    // Off deletes the user's entry and reports that the machine's one remains where this user may
    // only read its Run key (here of a machine of the test's own).
    HKEY machine;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\KorimbelMachine", &machine),
              ERROR_SUCCESS);
    EXPECT_TRUE(ApplyAutostart(machine, true, ::Settings.curpath));
    ApplyAutostart(unwritable, true, ::Settings.curpath);
    ASSERT_TRUE(MakeKeyReadOnly(machine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", true));
    EXPECT_TRUE(ApplyAutostart(machine, false, ::Settings.curpath));
    EXPECT_EQ(RunValue(machine), std::string(::Settings.curpath) + "\\korimbel.exe");
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER), "<absent>");
    RegCloseKey(machine);
    DeleteKeyTree("Software\\KorimbelMachine");
}

TEST_F(Settings, AFolderTooLongForTheRunValueWritesNothing)
{
    StartBar();
    memset(::Settings.curpath, 'f', 243);
    ::Settings.curpath[243] = '\0';
    ApplyAutostart(HKEY_LOCAL_MACHINE, true, ::Settings.curpath);
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), "<absent>");
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER), "<absent>");
}

class StartupList : public Settings
{
  protected:
    static void Mark(int slot, const char *title, const char *options)
    {
        StoreRecord(kTitleKey, slot, title);
        StoreRecord(kFileKey, slot, "c:\\x.exe");
        StoreRecord(kOptionKey, slot, options);
    }
    static std::vector<std::string> Titles(HWND list)
    {
        std::vector<std::string> titles;
        const LRESULT count = SendDlgItemMessageA(list, IDC_LIST_TITLES, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[256] = "";
            SendDlgItemMessageA(list, IDC_LIST_TITLES, LB_GETTEXT, i,
                                reinterpret_cast<LPARAM>(text));
            titles.push_back(text);
        }
        return titles;
    }
    // Starts the bar, opens the list from the settings dialog and runs `use` on it.
    void UseList(const std::function<void(HWND)> &use)
    {
        StartBar();
        DriveModal({[] {
                        HWND settings = FindDialog(BarWindow);
                        if (!settings)
                            return false;
                        PostMessageA(settings, WM_COMMAND, IDC_STARTUP_LIST, 0);
                        return true;
                    },
                    [=] {
                        HWND list = FindDialog(FindDialog(BarWindow));
                        if (!list)
                            return false;
                        listCaption = WindowTextW(list);
                        use(list);
                        PostMessageA(list, WM_COMMAND, IDOK, 0);
                        return true;
                    },
                    [] {
                        HWND settings = FindDialog(BarWindow);
                        if (!settings || FindDialog(settings))
                            return false;
                        PostMessageA(settings, WM_COMMAND, IDCANCEL, 0);
                        return true;
                    }});
        SendMessageA(BarWindow, WM_COMMAND, IDM_SETTINGS, 0);
        EXPECT_TRUE(ModalStepsDone());
    }
    std::wstring listCaption;
};

TEST_F(StartupList, ListsMarkedSlotsInRangeByTitle)
{
    StoreDword("MaxPage", 0);
    Mark(5, "Charlie", "10000000000000000000");
    Mark(0, "Alpha", "10000000000000000002");
    Mark(2, "", "10000000000000000000");
    Mark(3, "Not marked", "00000000000000000000");
    Mark(900, "Beyond", "10000000000000000000");
    std::vector<std::string> titles;
    UseList([&](HWND list) { titles = Titles(list); });
    EXPECT_EQ(listCaption, kStartupListCaption);
    EXPECT_EQ(titles, (std::vector<std::string>{"Alpha", "", "Charlie"}));
}

TEST_F(StartupList, TakingOneOffClearsOnlyItsRunDigit)
{
    Mark(0, "Alpha", "10000000000000000002");
    Mark(1, "Bravo", "10000000000000000001");
    std::vector<std::string> after, unchanged;
    UseList([&](HWND list) {
        PostMessageA(list, WM_COMMAND, IDC_UNREGISTER_SELECTED, 0); // nothing selected yet
        SendMessageA(list, WM_COMMAND, IDC_UNREGISTER_SELECTED, 0);
        unchanged = Titles(list);
        SendDlgItemMessageA(list, IDC_LIST_TITLES, LB_SETCURSEL, 0, 0);
        SendMessageA(list, WM_COMMAND, IDC_UNREGISTER_SELECTED, 0);
        after = Titles(list);
    });
    EXPECT_EQ(unchanged, (std::vector<std::string>{"Alpha", "Bravo"}));
    EXPECT_EQ(after, (std::vector<std::string>{"Bravo"}));
    EXPECT_EQ(ReadStored(kOptionKey, "0").bytes.size(), 21u);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(ReadStored(kOptionKey, "0").bytes.data())),
              "00000000000000000002");
    EXPECT_EQ(ReadStored(kTitleKey, "0").bytes.size(), 6u);
    EXPECT_EQ(ReadStored(kFileKey, "0").bytes.size(), 9u);
}

TEST_F(StartupList, TakingAllOffKeepsTheShowModes)
{
    Mark(0, "Alpha", "10000000000000000002");
    Mark(4, "Delta", "10000000000000000001");
    std::vector<std::string> after;
    UseList([&](HWND list) {
        SendMessageA(list, WM_COMMAND, IDC_UNREGISTER_ALL, 0);
        after = Titles(list);
        SendMessageA(list, WM_COMMAND, IDC_UNREGISTER_ALL, 0); // an empty list changes nothing
    });
    EXPECT_TRUE(after.empty());
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(ReadStored(kOptionKey, "4").bytes.data())),
              "00000000000000000001");
}

TEST_F(Settings, TheAboutBoxClosesOnOkEnterEscAndItsCloseBox)
{
    StartBar();
    const std::function<void(HWND)> closers[] = {
        [](HWND about) { PostMessageA(about, WM_COMMAND, IDOK, 0); },
        [](HWND about) { PostMessageA(about, WM_KEYDOWN, VK_RETURN, 0); },
        [](HWND about) { PostMessageA(about, WM_KEYDOWN, VK_ESCAPE, 0); },
        [](HWND about) { PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (const auto &close : closers) {
        std::wstring aboutCaption;
        bool backInSettings = false;
        DriveModal({[] {
                        HWND settings = FindDialog(BarWindow);
                        if (!settings)
                            return false;
                        PostMessageA(settings, WM_COMMAND, IDC_ABOUT, 0);
                        return true;
                    },
                    [&] {
                        HWND about = FindDialog(FindDialog(BarWindow));
                        if (!about)
                            return false;
                        aboutCaption = WindowTextW(about);
                        SetFocus(GetDlgItem(about, IDOK));
                        close(about);
                        return true;
                    },
                    [&] {
                        HWND settings = FindDialog(BarWindow);
                        if (!settings || FindDialog(settings))
                            return false;
                        backInSettings = true;
                        PostMessageA(settings, WM_COMMAND, IDCANCEL, 0);
                        return true;
                    }},
                   5000);
        SendMessageA(BarWindow, WM_COMMAND, IDM_SETTINGS, 0);
        EXPECT_EQ(aboutCaption, kAboutCaption);
        EXPECT_TRUE(backInSettings);
    }
}

// The whole bar through the settings dialog: a file named in the save dialog, then in the open
// dialog a file that is none, which leaves the dialog open with its line, then that file, which
// closes the dialog and gives the running bar what the file holds.
TEST_F(Settings, TheBarGoesToAFileAndComesBackLiveThroughTheDialog)
{
    StartBar();
    const HWND panel = ButtonPanel;
    StoreDword("TopMode", 0);
    StoreRecord(kTitleKey, 0, "Imported");
    const std::wstring file = Widened(TestFolder() + "\\dialog.reg");
    const std::wstring empty = Widened(TestFolder() + "\\empty.reg");
    DeleteFileW(file.c_str());
    std::ofstream(TestFolder() + "\\empty.reg");
    std::wstring exported, refused;
    const auto settings = [] { return FindDialog(BarWindow); };
    const auto status = [&] { return WindowTextW(GetDlgItem(settings(), IDC_BARFILE_STATUS)); };
    const auto press = [&](int button) {
        return [=] { return settings() && PostMessageA(settings(), WM_COMMAND, button, 0); };
    };
    const auto choose = [&](const std::wstring &name) {
        return [=] {
            const HWND chooser = settings() ? FindDialog(settings()) : nullptr;
            return chooser && SetDlgItemTextW(chooser, 0x47c, name.c_str()) &&
                   PostMessageA(chooser, WM_COMMAND, IDOK, 0);
        };
    };
    DriveModal({press(IDC_EXPORT_BAR), choose(file),
                [&] {
                    if ((exported = status()).empty())
                        return false;
                    DeleteKeyTree(kRootKey);
                    return press(IDC_IMPORT_BAR)();
                },
                choose(empty),
                [&] { return (refused = status()) != exported && press(IDC_IMPORT_BAR)(); },
                choose(file)});
    SendMessageA(BarWindow, WM_COMMAND, IDM_SETTINGS, 0);
    EXPECT_TRUE(ModalStepsDone());
    EXPECT_EQ(exported, L"\x66F8\x304D\x51FA\x3057\x307E\x3057\x305F"); // 書き出しました
    EXPECT_EQ(refused.substr(refused.size() - 9), L"\x4F55\x3082\x5909\x3048\x3066\x3044\x307E\x305B\x3093");
    Pump(100);
    EXPECT_EQ(StoredRecord(kTitleKey, 0), std::string("Imported") + '\0');
    EXPECT_EQ(::Settings.TopMode, 0);
    EXPECT_EQ(GetWindowLongA(BarWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(ButtonPanel, panel);
}

} // namespace
