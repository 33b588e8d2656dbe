// The launch buttons' icons across rebuilds: what the shell shows for the slot's file as it is
// now, one icon of its own for every button, and nothing left behind.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "barfixture.h"
#include "panel/panel.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "store/settings.h"
#include "store/slots.h"

namespace
{

using Pixels = std::vector<DWORD>;

// What an icon puts on a white ground at 16 x 16; nothing for no icon.
Pixels Draw(HICON icon)
{
    if (!icon)
        return {};
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = 16;
    format.bmiHeader.biHeight = -16;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void *bits;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP canvas = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, canvas);
    const RECT all = {0, 0, 16, 16};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
    GdiFlush();
    const Pixels pixels(static_cast<DWORD *>(bits), static_cast<DWORD *>(bits) + 256);
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    return pixels;
}

// The shell's own small icon for the file as it is now, drawn; nothing when it has none.
Pixels ShellIcon(const std::string &file)
{
    SHFILEINFOA info = {};
    const HIMAGELIST list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA(file.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (!list)
        return {};
    const HICON icon = ImageList_GetIcon(list, info.iIcon, ILD_NORMAL);
    const Pixels pixels = Draw(icon);
    DestroyIcon(icon);
    return pixels;
}

void MakeFile(const std::string &path)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    CloseHandle(file);
}

const std::string kNotepad = "C:\\windows\\notepad.exe";
const std::string kWindowsFolder = "C:\\windows";

class FileIcons : public BarTest
{
  protected:
    static void Register(int slot, const std::string &file) { StoreRecord(kFileKey, slot, file); }
    // New empty files prefix0.txt, prefix1.txt, ... in folder, registered in slots 0 onwards.
    static void RegisterNewFiles(const std::string &folder, const char *prefix, int count)
    {
        for (int slot = 0; slot < count; ++slot) {
            const std::string file = folder + "\\" + prefix + std::to_string(slot) + ".txt";
            MakeFile(file);
            Register(slot, file);
        }
    }
    static HICON Shown(int index) { return ButtonIcon(index); }
};

TEST_F(FileIcons, ClosingTheBarGivesBackWhatItKeptOfTheIcons)
{
    const std::string folder = FreshFolder("Closing");
    RegisterNewFiles(folder, "a", 10);
    StartBar();
    QuitBar();
    const GuiCounts before = CountGuiObjects();
    RegisterNewFiles(folder, "b", 10);
    StartBar();
    QuitBar();
    const GuiCounts after = CountGuiObjects();
    EXPECT_EQ(after.icons, before.icons);
    EXPECT_EQ(after.bitmaps, before.bitmaps);
}

TEST_F(FileIcons, AButtonShowsTheIconOfTheFileItsSlotHoldsAtEachRebuild)
{
    const Pixels program = ShellIcon(kNotepad), folder = ShellIcon(kWindowsFolder);
    ASSERT_FALSE(program.empty());
    ASSERT_FALSE(folder.empty());
    ASSERT_NE(program, folder) << "the test needs two files the shell draws differently";
    Register(0, kNotepad);
    StartBar();
    EXPECT_EQ(Draw(Shown(0)), program);
    Register(0, kWindowsFolder);
    Rebuild();
    EXPECT_EQ(Draw(Shown(0)), folder);
    Register(0, kNotepad);
    Rebuild();
    EXPECT_EQ(Draw(Shown(0)), program);
}

// Windows shows a program file with the program's own icon: .exe belongs to the class whose icon
// is "%1". The prefix of the tests has the class without the .exe entry; the test gives it one
// while it runs, and what was there before comes back.
class ProgramsShowTheirOwnIcons
{
  public:
    ProgramsShowTheirOwnIcons() : before(ReadStored(HKEY_CLASSES_ROOT, ".exe", ""))
    {
        RegSetValueA(HKEY_CLASSES_ROOT, ".exe", REG_SZ, "exefile", 0);
    }
    ~ProgramsShowTheirOwnIcons()
    {
        if (before.present)
            RegSetValueA(HKEY_CLASSES_ROOT, ".exe", REG_SZ,
                         reinterpret_cast<const char *>(before.bytes.data()), 0);
        else
            RegDeleteKeyA(HKEY_CLASSES_ROOT, ".exe");
    }

  private:
    const StoredValue before;
};

// The recorder has no icon of its own and shows the shell's plain program icon; the test
// program carries the bar's icon.
TEST_F(FileIcons, AProgramUpdatedInPlaceShowsItsNewIconAtTheNextRebuild)
{
    const ProgramsShowTheirOwnIcons programIcons;
    const std::string program = FreshFolder("Updated Program") + "\\program.exe";
    ASSERT_TRUE(CopyFileA((TestFolder() + "\\recorder.exe").c_str(), program.c_str(), FALSE));
    Register(0, program);
    StartBar();
    const Pixels plain = Draw(Shown(0));
    EXPECT_EQ(plain, ShellIcon(program));
    char self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    ASSERT_TRUE(CopyFileA(self, program.c_str(), FALSE));
    Rebuild();
    const Pixels own = ShellIcon(program);
    ASSERT_NE(own, plain) << "the shell shows the new program with its icon";
    EXPECT_EQ(Draw(Shown(0)), own);
}

TEST_F(FileIcons, AFileThatIsGoneShowsNoIconThoughItHadOne)
{
    const std::string file = FreshFolder("Vanishing") + "\\notes.txt";
    MakeFile(file);
    Register(0, file);
    StartBar();
    ASSERT_NE(Shown(0), nullptr);
    const Pixels present = Draw(Shown(0));
    ASSERT_TRUE(DeleteFileA(file.c_str()));
    Rebuild();
    EXPECT_EQ(Shown(0), nullptr);
    EXPECT_NE(StoredRecord(kFileKey, 0), "<absent>"); // still registered
    MakeFile(file);
    Rebuild();
    EXPECT_EQ(Draw(Shown(0)), present);
}

TEST_F(FileIcons, AFileReplacedByAFolderOfTheSameNameShowsAsAFolderAndBack)
{
    const std::string path = FreshFolder("Turning") + "\\thing";
    RemoveDirectoryA(path.c_str());
    MakeFile(path);
    Register(0, path);
    StartBar();
    const Pixels asFile = Draw(Shown(0));
    EXPECT_EQ(asFile, ShellIcon(path));
    const auto becomeFolder = [&] {
        ASSERT_TRUE(DeleteFileA(path.c_str()));
        ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
        Rebuild();
    };
    becomeFolder();
    const Pixels asFolder = ShellIcon(path);
    ASSERT_NE(asFolder, asFile);
    EXPECT_EQ(Draw(Shown(0)), asFolder);
    const int bitmaps = CountGuiObjects().bitmaps;
    ASSERT_TRUE(RemoveDirectoryA(path.c_str()));
    MakeFile(path);
    Rebuild();
    EXPECT_EQ(Draw(Shown(0)), asFile);
    becomeFolder();
    EXPECT_EQ(Draw(Shown(0)), asFolder);
    EXPECT_EQ(CountGuiObjects().bitmaps, bitmaps); // what was kept of the file's icon went
    RemoveDirectoryA(path.c_str());
}

TEST_F(FileIcons, ButtonsOfOneFileEachHoldAnIconOfTheirOwnUntilTheyGo)
{
    const int buttons = 6;
    for (int slot = 0; slot < buttons; ++slot)
        Register(slot, kNotepad);
    StartBar();
    ASSERT_GE(ButtonsPerPage, buttons);
    const Pixels program = ShellIcon(kNotepad);
    std::set<HICON> before;
    for (int i = 0; i < buttons; ++i) {
        EXPECT_EQ(Draw(Shown(i)), program) << i;
        before.insert(Shown(i));
    }
    EXPECT_EQ(int(before.size()), buttons);
    Rebuild();
    std::set<HICON> after;
    for (int i = 0; i < buttons; ++i) {
        EXPECT_EQ(Draw(Shown(i)), program) << i;
        after.insert(Shown(i));
    }
    EXPECT_EQ(int(after.size()), buttons);
    for (HICON old : before)
        EXPECT_FALSE(IsIcon(old));
}

TEST_F(FileIcons, PagingThroughMoreFilesThanAreKeptLeaksNothing)
{
    // A short floating bar with many pages, every slot a file of its own; then every slot
    // another file.
    StoreDword("FloatMode", 1);
    StoreDword("Width", 34);
    StoreDword("Height", 260);
    StoreDword("MaxPage", 15);
    const std::string folder = FreshFolder("Many Files");
    const int files = 16 * 10;
    const auto turnAllPages = [] {
        for (int page = 0; page < 16; ++page)
            SendMessageA(BarWindow, WM_COMMAND, IDM_NEXT_PAGE, 0);
    };
    RegisterNewFiles(folder, "a", files);
    StartBar();
    ASSERT_GT(ButtonsPerPage, 0);
    ASSERT_GT(16 * ButtonsPerPage, kMaxButtons);
    ASSERT_LE(16 * ButtonsPerPage, files);
    turnAllPages();
    const GuiCounts before = CountGuiObjects();
    RegisterNewFiles(folder, "b", files);
    turnAllPages();
    turnAllPages();
    const GuiCounts after = CountGuiObjects();
    EXPECT_EQ(after.icons, before.icons);
    EXPECT_EQ(after.bitmaps, before.bitmaps);
    SendMessageA(BarWindow, WM_COMMAND, IDM_NEXT_PAGE, 0);
    for (int i = 0; i < ButtonsPerPage; ++i)
        EXPECT_EQ(Draw(Shown(i)),
                  ShellIcon(folder + "\\b" + std::to_string(ButtonsPerPage + i) + ".txt"))
            << i;
}

} // namespace
