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

// The process's GUI objects. GetGuiResources answers on Windows; Wine leaves it unimplemented
// but takes handle values with the upper word 0, so trying every value counts exactly there.
struct GuiCounts {
    int gdi = 0, windows = 0, menus = 0, icons = 0;
    bool operator==(const GuiCounts &o) const
    {
        return gdi == o.gdi && windows == o.windows && menus == o.menus && icons == o.icons;
    }
};

std::ostream &operator<<(std::ostream &out, const GuiCounts &c)
{
    return out << "{gdi " << c.gdi << ", windows " << c.windows << ", menus " << c.menus
               << ", icons " << c.icons << "}";
}

bool OwnWindow(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

GuiCounts CountGuiObjects()
{
    GuiCounts c;
    if (GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0) {
        c.gdi = int(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
        c.windows = int(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
        return c;
    }
    for (UINT_PTR h = 1; h < 0x10000; ++h)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(h)))
            ++c.gdi;
    for (UINT_PTR h = 0x20; h < 0x10000; h += 2) {
        const HWND window = reinterpret_cast<HWND>(h);
        if (IsWindow(window) && OwnWindow(window))
            ++c.windows;
        if (IsMenu(reinterpret_cast<HMENU>(h)))
            ++c.menus;
        ICONINFO info;
        if (GetIconInfo(reinterpret_cast<HICON>(h), &info)) {
            ++c.icons;
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
    }
    return c;
}

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

const wchar_t kSettings[] = L"\x74B0\x5883\x8A2D\x5B9A";                 // 環境設定
const wchar_t kProperties[] = L"\xFF8C\xFF9F\xFF9B\xFF8A\xFF9F\xFF83\xFF68"; // ﾌﾟﾛﾊﾟﾃｨ
const wchar_t kStartupList[] = L"\x767B\x9332\xFF8C\xFF67\xFF72\xFF99\x4E00\x89A7"; // 登録ﾌｧｲﾙ一覧
const wchar_t kAbout[] = L"\xFF8A\xFF9E\xFF70\xFF7C\xFF9E\xFF6E\xFF9D\x60C5\x5831"; // ﾊﾞｰｼﾞｮﾝ情報

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
            const std::string name = std::to_string(slot);
            StoreRaw(kFileKey, name.c_str(), REG_SZ, "C:\\windows\\notepad.exe", 24);
            StoreRaw(kTitleKey, name.c_str(), REG_SZ, "n", 2);
        }
        StartBar();
        ASSERT_GT(ButtonsPerPage, 0);
    }

    // Each of the bar's dialogs and the button's menu, opened and cancelled.
    void OpenAndCancel(int which)
    {
        switch (which % 5) {
        case 0:
            DriveModal({Press(kSettings, IDCANCEL)});
            SendMessageA(BarWindow, WM_COMMAND, IDM_SETTINGS, 0);
            break;
        case 1:
            DriveModal({Press(kProperties, IDCANCEL)});
            OpenPropertiesDialog(which % ButtonsPerPage);
            break;
        case 2:
            DriveModal({Press(kSettings, IDC_STARTUP_LIST), Press(kStartupList, IDCANCEL),
                        Press(kSettings, IDCANCEL)});
            SendMessageA(BarWindow, WM_COMMAND, IDM_SETTINGS, 0);
            break;
        case 3:
            DriveModal({Press(kSettings, IDC_ABOUT), Press(kAbout, IDOK),
                        Press(kSettings, IDCANCEL)});
            SendMessageA(BarWindow, WM_COMMAND, IDM_SETTINGS, 0);
            break;
        default:
            DriveModal({MenuClosed()});
            SendMessageA(ButtonTable[0], WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
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
