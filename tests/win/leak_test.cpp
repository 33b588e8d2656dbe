// What the bar makes it gives back: GDI objects, windows, menus and icons are counted around
// long runs of rebuilds, page turns and dialogs, and must not grow.
#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include "barfixture.h"
#include "dialogs/propsdlg.h"
#include "modal.h"
#include "panel/panel.h"
#include "res/resource.h"
#include "placement/barwindow.h"
#include "store/slots.h"

namespace
{

SIZE_T MemoryInUse()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

// A visible top-level dialog of this thread whose caption is the given text, or null.
struct CaptionSearch {
    const wchar_t *caption;
    HWND found;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM lParam)
{
    CaptionSearch *search = reinterpret_cast<CaptionSearch *>(lParam);
    char name[16];
    if (IsWindowVisible(window) && GetClassNameA(window, name, sizeof name) &&
        lstrcmpA(name, "#32770") == 0 && WindowTextW(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND DialogCaptioned(const wchar_t *caption)
{
    CaptionSearch search = {caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A step that presses a button of the dialog with this caption once it is up.
std::function<bool()> Press(const wchar_t *caption, int button)
{
    return [=] {
        const HWND dialog = DialogCaptioned(caption);
        if (dialog)
            PostMessageA(dialog, WM_COMMAND, button, 0);
        return dialog != nullptr;
    };
}

std::function<bool()> MenuClosed()
{
    return [] {
        const HWND menu = FindWindowA("#32768", nullptr);
        if (!menu || !IsWindowVisible(menu))
            return false;
        EndMenu();
        return true;
    };
}

class Leaks : public BarTest
{
  protected:
    // A short floating bar keeps the runs brief: a few buttons over three pages, all with icons.
    void StartSmallBar()
    {
        StoreDword("FloatMode", 1);
        StoreDword("Width", 34);
        StoreDword("Height", 260);
        StoreDword("MaxPage", 2);
        for (int slot = 0; slot < 30; ++slot) {
            StoreRecord(kFileKey, slot, "C:\\windows\\notepad.exe");
            StoreRecord(kTitleKey, slot, "n");
        }
        StartBar();
        ASSERT_GT(ButtonsPerPage, 0);
    }

    // Each of the bar's dialogs and the button's menu, opened and cancelled.
    void OpenAndCancel(int which)
    {
        switch (which % 5) {
        case 0:
            DriveModal({Press(kSettingsCaption, IDCANCEL)});
            SendMessageA(BarWindow, WM_COMMAND, IDM_SETTINGS, 0);
            break;
        case 1:
            DriveModal({Press(kPropertiesCaption, IDCANCEL)});
            OpenPropertiesDialog(which % ButtonsPerPage);
            break;
        case 2:
            DriveModal({Press(kSettingsCaption, IDC_STARTUP_LIST),
                        Press(kStartupListCaption, IDCANCEL), Press(kSettingsCaption, IDCANCEL)});
            SendMessageA(BarWindow, WM_COMMAND, IDM_SETTINGS, 0);
            break;
        case 3:
            DriveModal({Press(kSettingsCaption, IDC_ABOUT), Press(kAboutCaption, IDOK),
                        Press(kSettingsCaption, IDCANCEL)});
            SendMessageA(BarWindow, WM_COMMAND, IDM_SETTINGS, 0);
            break;
        default:
            DriveModal({MenuClosed()});
            SendMessageA(Button(0), WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
        }
        EXPECT_TRUE(ModalStepsDone()) << "opening " << which;
    }
};

TEST_F(Leaks, AThousandRebuildsGiveBackEverything)
{
    StartSmallBar();
    for (int i = 0; i < 100; ++i)
        RebuildPanel();
    const GuiCounts before = CountGuiObjects();
    // The heap settles during the first half; a leak of even one icon a rebuild would still
    // grow the second half by some 200 KiB.
    for (int i = 0; i < 500; ++i)
        RebuildPanel();
    const SIZE_T settled = MemoryInUse();
    for (int i = 0; i < 500; ++i)
        RebuildPanel();
    EXPECT_EQ(CountGuiObjects(), before);
    EXPECT_LE(MemoryInUse(), settled + 128 * 1024);
}

TEST_F(Leaks, AThousandPageTurnsGiveBackEverything)
{
    StartSmallBar();
    for (int i = 0; i < 10; ++i)
        SendMessageA(BarWindow, WM_COMMAND, IDM_NEXT_PAGE, 0);
    const GuiCounts before = CountGuiObjects();
    for (int i = 0; i < 1000; ++i)
        SendMessageA(BarWindow, WM_COMMAND, i % 3 ? IDM_NEXT_PAGE : IDM_PREVIOUS_PAGE, 0);
    Pump(50);
    EXPECT_EQ(CountGuiObjects(), before);
}

TEST_F(Leaks, AHundredDialogsOpenedAndCancelledGiveBackEverything)
{
    StartSmallBar();
    for (int i = 0; i < 5; ++i)
        OpenAndCancel(i);
    Pump(50);
    const GuiCounts before = CountGuiObjects();
    for (int i = 0; i < 100; ++i)
        OpenAndCancel(i);
    Pump(50);
    EXPECT_EQ(CountGuiObjects(), before);
}

} // namespace
