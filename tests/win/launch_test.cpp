#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>

#include "barfixture.h"
#include "launching.h"
#include "modal.h"
#include "panel/launch.h"
#include "panel/panel.h"
#include "res/resource.h"
#include "placement/barwindow.h"
#include "store/settings.h"
#include "store/slots.h"

namespace
{

using Launching = BarTest;

TEST_F(Launching, ASlotOpensWithItsWindowStateInItsFolder)
{
    const std::string recorder = PrepareRecorder("Recorder Home");
    const char *options[] = {"00000000000000000000", "00000000000000000001", "00000000000000000002",
                             "00000000000000000007", "1"};
    const int shows[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED, SW_SHOWNORMAL,
                         SW_SHOWNORMAL};
    StartBar();
    for (int i = 0; i < 5; ++i) {
        StoreRecord(kFileKey, i, recorder);
        StoreRecord(kOptionKey, i, options[i]);
        EXPECT_GT(OpenSlot(i), 32);
    }
    const std::vector<Launch> launches = Launches(5);
    ASSERT_EQ(launches.size(), 5u);
    std::vector<int> seen;
    for (const Launch &l : launches) {
        seen.push_back(l.show);
        EXPECT_EQ(l.directory, FolderOf(recorder));
        EXPECT_EQ(l.commandLine.rfind("\"" + recorder + "\"", 0), 0u) << l.commandLine;
    }
    std::sort(seen.begin(), seen.end());
    std::vector<int> expected(shows, shows + 5);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(seen, expected);
}

// A program only in the 64-bit system folder, registered by the path Explorer shows there, which
// sends this 32-bit bar to the 32-bit folder. Run in the 64-bit test bed, skipped elsewhere.
TEST_F(Launching, AProgramOnlyInThe64BitSystemFolderShowsItsIconAndStarts)
{
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64)
        GTEST_SKIP() << "for the 64-bit test bed (scripts/testbed.sh --wow64)";
    PrepareRecorder("Recorder Home");
    const std::string stored = "C:\\windows\\system32\\korimbel-recorder64.exe";
    ASSERT_TRUE(CopyFileA((TestFolder() + "\\recorder64.exe").c_str(),
                          "C:\\windows\\Sysnative\\korimbel-recorder64.exe", FALSE));
    ASSERT_EQ(GetFileAttributesA(stored.c_str()), INVALID_FILE_ATTRIBUTES);
    StoreRecord(kFileKey, 0, stored);
    StartBar();
    EXPECT_NE(ButtonIcon(0), nullptr);
    EXPECT_GT(OpenSlot(0), 32);
    const std::vector<Launch> launches = Launches(1);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].directory, "C:\\windows\\system32");
    EXPECT_EQ(StoredRecord(kFileKey, 0), stored + '\0'); // as the user registered it
    DeleteFileA("C:\\windows\\Sysnative\\korimbel-recorder64.exe");
}

TEST_F(Launching, AnEmptySlotOpensNothing)
{
    StartBar();
    EXPECT_EQ(OpenSlot(3), 0);
}

TEST_F(Launching, TwoReleasesWithinTheLockOpenOnce)
{
    const std::string recorder = PrepareRecorder("Recorder Lock");
    StoreRecord(kFileKey, 0, recorder);
    StoreRecord(kFileKey, 1, recorder);
    StartBar();
    // The messages run between the clicks, as between a user's, so that the lock's timer could
    // fire; the three clicks take well under the lock.
    const auto click = [](int slot) {
        SendMessageA(GetDlgItem(ButtonPanel, slot), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        Pump(50);
    };
    click(0);
    click(0);
    click(1);
    EXPECT_EQ(Launches(1).size(), 1u);
    Pump(600);
    EXPECT_EQ(Launches(2, 0).size(), 1u);
    SendMessageA(GetDlgItem(ButtonPanel, 1), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(Launches(2).size(), 2u);
}

TEST_F(Launching, AFailedClickOpensThePropertiesOfTheSlot)
{
    StoreRecord(kFileKey, 2, "C:\\nowhere\\gone.exe");
    StartBar();
    std::string shownFile;
    std::wstring caption;
    DriveModal({[&] {
        HWND dialog = FindDialog(BarWindow);
        if (!dialog)
            return false;
        caption = WindowTextW(dialog);
        shownFile = ItemText(dialog, IDC_FILE);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    }});
    SendMessageA(GetDlgItem(ButtonPanel, 2), WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(ModalStepsDone());
    EXPECT_EQ(caption, kPropertiesCaption);
    EXPECT_EQ(shownFile, "C:\\nowhere\\gone.exe");
}

TEST_F(Launching, AnEmptySlotClickedOpensItsProperties)
{
    StartBar();
    bool opened = false;
    DriveModal({[&] {
        HWND dialog = FindDialog(BarWindow);
        if (!dialog)
            return false;
        opened = true;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    }});
    SendMessageA(GetDlgItem(ButtonPanel, 4), WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(opened);
}

TEST_F(Launching, FilesDroppedOnAProgramStartItOncePerFileInDropOrder)
{
    const std::string recorder = PrepareRecorder("Recorder Drops");
    StoreRecord(kFileKey, 1, recorder);
    StoreRecord(kOptionKey, 1, "00000000000000000002");
    StartBar();
    const std::string spaced = TestFolder() + "\\My Files\\a b.txt";
    const std::vector<std::string> files = {"C:\\first.txt", spaced, "C:\\third.txt"};
    DropPaths(GetDlgItem(ButtonPanel, 1), files);
    const std::vector<Launch> launches = Launches(3);
    ASSERT_EQ(launches.size(), 3u);
    const std::string program = "\"" + recorder + "\" ";
    EXPECT_EQ(launches[0].commandLine, program + "C:\\first.txt");
    EXPECT_EQ(launches[1].commandLine, program + "\"" + spaced + "\"");
    EXPECT_EQ(launches[2].commandLine, program + "C:\\third.txt");
    for (const Launch &l : launches) {
        EXPECT_EQ(l.show, SW_SHOWNORMAL);
        EXPECT_EQ(l.directory, FolderOf(recorder));
    }
    EXPECT_EQ(ReadStored(kFileKey, "1").bytes.size(), recorder.size() + 1);
}

TEST_F(Launching, AFileDroppedOnADocumentSlotReplacesItsRegistration)
{
    StoreRecord(kFileKey, 0, "C:\\docs\\old.txt");
    StoreRecord(kOptionKey, 0, "10000000000000000002");
    StartBar();
    const HWND panel = ButtonPanel;
    DropPaths(GetDlgItem(ButtonPanel, 0), {"C:\\windows\\notepad.exe", "C:\\second.txt"});
    EXPECT_EQ(ReadStored(kFileKey, "0").bytes.size(), strlen("C:\\windows\\notepad.exe") + 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(ReadStored(kTitleKey, "0").bytes.data())),
              "notepad");
    EXPECT_FALSE(ReadStored(kOptionKey, "0").present);
    Pump(50);
    EXPECT_NE(ButtonPanel, panel); // rebuilt
    EXPECT_NE(ButtonIcon(0), nullptr);
}

TEST_F(Launching, TheStartupRunOpensMarkedSlotsInRangeAndArmsTheTimer)
{
    const std::string recorder = PrepareRecorder("Recorder Startup");
    StoreDword("MaxPage", 0);
    // A tick would count the cursor away and rest the timer while auto-hide is off.
    StoreDword("HideTime", 600000);
    for (int slot : {0, 3, 500}) {
        StoreRecord(kFileKey, slot, recorder);
        StoreRecord(kOptionKey, slot, "10000000000000000001");
    }
    StoreRecord(kOptionKey, 5, "10000000000000000000"); // marked, but no file
    StoreRecord(kFileKey, 6, recorder);                 // a file, not marked
    StartBar();
    Launches(2);
    Pump(800);
    const std::vector<Launch> launches = Launches(3, 0);
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[0].show, SW_SHOWMINIMIZED);
    EXPECT_NE(KillTimer(BarWindow, AUTOHIDE_TIMER_ID), FALSE);
}

TEST_F(Launching, StartLaunchOffOpensNothingButStillArmsTheTimer)
{
    const std::string recorder = PrepareRecorder("Recorder Off");
    StoreDword("StartLaunch", 2);
    StoreDword("HideTime", 600000);
    StoreRecord(kFileKey, 0, recorder);
    StoreRecord(kOptionKey, 0, "10000000000000000000");
    StartBar();
    EXPECT_EQ(Settings.StartLaunch, 2);
    EXPECT_TRUE(Launches(1, 800).empty());
    EXPECT_NE(KillTimer(BarWindow, AUTOHIDE_TIMER_ID), FALSE);
}

TEST_F(Launching, AHugePageCountStillStartsQuickly)
{
    const std::string recorder = PrepareRecorder("Recorder Huge");
    StoreDword("MaxPage", 0x7FFFFFFF);
    for (int slot : {9000, 20000}) {
        StoreRecord(kFileKey, slot, recorder);
        StoreRecord(kOptionKey, slot, "10000000000000000000");
    }
    StartBar();
    Launches(1);
    Pump(500);
    EXPECT_EQ(Launches(2, 0).size(), 1u); // the run stops after 10000 slots
}

TEST_F(Launching, ARebuildDuringTheButtonsDialogLeavesNoTrace)
{
    StartBar();
    const HWND button = GetDlgItem(ButtonPanel, 1);
    DriveModal({[&] {
        HWND dialog = FindDialog(BarWindow);
        if (!dialog)
            return false;
        SendMessageA(BarWindow, UM_REBUILD_PANEL, 0, 0); // destroys the clicked button
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    }});
    EXPECT_EQ(SendMessageA(button, WM_LBUTTONUP, 0, 0), 0);
    EXPECT_TRUE(ModalStepsDone());
    EXPECT_FALSE(IsWindow(button));
    EXPECT_EQ(GetDlgCtrlID(GetDlgItem(ButtonPanel, 1)), 1);
}

// The button's menu, driven with the keyboard as a user would.
class ButtonMenu : public Launching
{
  protected:
    void Choose(int slot, int downs)
    {
        DriveModal({[=] {
            HWND menu = FindWindowA("#32768", nullptr);
            if (!menu || !IsWindowVisible(menu))
                return false;
            for (int i = 0; i < downs; ++i)
                PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
            return true;
        }});
        SendMessageA(GetDlgItem(ButtonPanel, slot), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
        EXPECT_TRUE(ModalStepsDone());
        Pump(50);
    }
};

TEST_F(ButtonMenu, HoldsTheFiveCommandsInOrder)
{
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), "BTN_POPUP");
    ASSERT_NE(menu, nullptr);
    HMENU popup = GetSubMenu(menu, 0);
    const UINT ids[] = {IDM_PROPERTIES, 0, IDM_COPY, IDM_CUT, IDM_PASTE, IDM_DELETE};
    const wchar_t *texts[] = {kPropertiesCaption,          L"",
                              L"\xFF7A\xFF8B\xFF9F\xFF70", L"\x5207\x308A\x53D6\x308A",
                              L"\x8CBC\x308A\x4ED8\x3051", L"\x524A\x9664"};
    ASSERT_EQ(GetMenuItemCount(popup), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(GetMenuItemID(popup, i), ids[i]) << i;
        wchar_t text[32] = L"";
        GetMenuStringW(popup, i, text, 32, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(text), texts[i]) << i;
    }
    DestroyMenu(menu);
}

TEST_F(ButtonMenu, DeleteEmptiesTheSlotAtOnce)
{
    StoreRecord(kFileKey, 0, "C:\\windows\\notepad.exe");
    StoreRecord(kTitleKey, 0, "n");
    StartBar();
    ASSERT_NE(ButtonIcon(0), nullptr);
    Choose(0, 5);
    EXPECT_FALSE(ReadStored(kFileKey, "0").present);
    EXPECT_FALSE(ReadStored(kTitleKey, "0").present);
    EXPECT_EQ(ButtonIcon(0), nullptr); // the new panel shows the button blank
}

TEST_F(ButtonMenu, CopyThenPasteIntoAnotherButton)
{
    StoreRecord(kFileKey, 0, "C:\\windows\\notepad.exe");
    StartBar();
    Choose(0, 2);
    Choose(3, 4);
    EXPECT_EQ(ReadStored(kFileKey, "3").bytes, ReadStored(kFileKey, "0").bytes);
    EXPECT_NE(ButtonIcon(3), nullptr);
}

} // namespace
