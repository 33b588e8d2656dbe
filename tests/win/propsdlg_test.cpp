#include "dialogs/propsdlg.h"

#include <gtest/gtest.h>

#include "barfixture.h"
#include "modal.h"
#include "res/resource.h"
#include "panel/panel.h"
#include "placement/barwindow.h"
#include "store/settings.h"
#include "store/slots.h"

namespace
{

class Properties : public BarTest
{
  protected:
    void SetUp() override
    {
        BarTest::SetUp();
        StartBar();
    }
    // Runs the dialog for slot with the given steps; returns whether the panel was rebuilt.
    bool RunDialog(int slot, std::vector<std::function<bool()>> steps)
    {
        DriveModal(std::move(steps));
        const HWND panel = ButtonPanel;
        OpenPropertiesDialog(slot);
        EXPECT_TRUE(ModalStepsDone());
        Pump(50);
        return ButtonPanel != panel;
    }
    static HWND Dialog() { return FindDialog(BarWindow); }
};

TEST_F(Properties, ShowsTheRecordsOfTheSlot)
{
    StoreRecord(kFileKey, 6, "C:\\tools\\tool.exe");
    StoreRecord(kTitleKey, 6, "Tool");
    StoreRecord(kOptionKey, 6, "10000000000000000001");
    std::string file, title;
    LRESULT selected = -2, checked = -2;
    const bool rebuilt = RunDialog(
        6, {[&] {
            HWND d = Dialog();
            if (!d)
                return false;
            file = ItemText(d, IDC_FILE);
            title = ItemText(d, IDC_TITLE);
            selected = SendDlgItemMessageA(d, IDC_SHOW_MODE, CB_GETCURSEL, 0, 0);
            checked = SendDlgItemMessageA(d, IDC_RUN_AT_START, BM_GETCHECK, 0, 0);
            EXPECT_EQ(SendDlgItemMessageA(d, IDC_SHOW_MODE, CB_GETCOUNT, 0, 0), 3);
            wchar_t entry[32];
            SendDlgItemMessageW(d, IDC_SHOW_MODE, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(entry));
            EXPECT_EQ(std::wstring(entry), L"\x6700\x5927\x8868\x793A"); // 最大表示
            PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
            return true;
        }});
    EXPECT_EQ(file, "C:\\tools\\tool.exe");
    EXPECT_EQ(title, "Tool");
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(checked, BST_CHECKED);
    EXPECT_FALSE(rebuilt);
}

TEST_F(Properties, StoringWritesAllThreeRecordsAndRebuilds)
{
    StoreRecord(kOptionKey, 9, "01234567890123456780");
    const bool rebuilt =
        RunDialog(9, {[&] {
                      HWND d = Dialog();
                      if (!d)
                          return false;
                      SetDlgItemTextA(d, IDC_FILE, "C:\\windows\\notepad.exe");
                      SetDlgItemTextA(d, IDC_TITLE, "Editor");
                      SendDlgItemMessageA(d, IDC_SHOW_MODE, CB_SETCURSEL, 2, 0);
                      SendDlgItemMessageA(d, IDC_RUN_AT_START, BM_SETCHECK, BST_CHECKED, 0);
                      PostMessageA(d, WM_COMMAND, IDOK, 0);
                      return true;
                  }});
    EXPECT_TRUE(rebuilt);
    EXPECT_EQ(StoredRecord(kOptionKey, 9), std::string("10000000000000000002") + '\0');
    EXPECT_EQ(StoredRecord(kFileKey, 9), std::string("C:\\windows\\notepad.exe") + '\0');
    EXPECT_EQ(StoredRecord(kTitleKey, 9), std::string("Editor") + '\0');
}

TEST_F(Properties, StoringAnEmptySlotWritesEmptyRecords)
{
    RunDialog(2, {[&] {
                  HWND d = Dialog();
                  if (!d)
                      return false;
                  PostMessageA(d, WM_COMMAND, IDOK, 0);
                  return true;
              }});
    EXPECT_EQ(StoredRecord(kOptionKey, 2), std::string("00000000000000000000") + '\0');
    EXPECT_EQ(StoredRecord(kFileKey, 2), std::string(1, '\0'));
    EXPECT_EQ(StoredRecord(kTitleKey, 2), std::string(1, '\0'));
}

TEST_F(Properties, AnUnknownWindowStateIsKeptWhenStored)
{
    StoreRecord(kOptionKey, 4, "00000000000000000007");
    LRESULT selected = 0;
    RunDialog(4, {[&] {
                  HWND d = Dialog();
                  if (!d)
                      return false;
                  selected = SendDlgItemMessageA(d, IDC_SHOW_MODE, CB_GETCURSEL, 0, 0);
                  PostMessageA(d, WM_COMMAND, IDOK, 0);
                  return true;
              }});
    EXPECT_EQ(selected, CB_ERR);
    EXPECT_EQ(StoredRecord(kOptionKey, 4), std::string("00000000000000000007") + '\0');
}

TEST_F(Properties, CancelStoresNothing)
{
    const bool rebuilt = RunDialog(3, {[&] {
                                       HWND d = Dialog();
                                       if (!d)
                                           return false;
                                       SetDlgItemTextA(d, IDC_FILE, "C:\\x.exe");
                                       PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
                                       return true;
                                   }});
    EXPECT_FALSE(rebuilt);
    EXPECT_FALSE(KeyExists(kFileKey));
    EXPECT_FALSE(KeyExists(kOptionKey));
}

// Browses from the properties dialog: the title edit is typed over first, then the open-file
// dialog gets `answer`; the edits' texts afterwards come back as "file|title".
class Browsing : public Properties
{
  protected:
    std::string Browse(int slot, const std::function<void(HWND)> &answer)
    {
        std::string edits;
        RunDialog(slot, {[&] {
                             HWND d = Dialog();
                             if (!d)
                                 return false;
                             SetDlgItemTextA(d, IDC_TITLE, "typed");
                             PostMessageA(d, WM_COMMAND, IDC_BROWSE, 0);
                             return true;
                         },
                         [&] {
                             HWND browse = FindDialog(Dialog());
                             if (!browse)
                                 return false;
                             browseCaption = WindowTextW(browse);
                             answer(browse);
                             return true;
                         },
                         [&] {
                             HWND d = Dialog();
                             if (!d || FindDialog(d))
                                 return false;
                             edits = ItemText(d, IDC_FILE) + "|" + ItemText(d, IDC_TITLE);
                             PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
                             return true;
                         }});
        return edits;
    }
    std::wstring browseCaption;
};

TEST_F(Browsing, CancelledChangesNothing)
{
    StoreRecord(kFileKey, 1, "C:\\tools\\tool.exe");
    const std::string edits =
        Browse(1, [](HWND browse) { PostMessageA(browse, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(browseCaption, kBrowseCaption);
    EXPECT_EQ(edits, "C:\\tools\\tool.exe|typed");
}

TEST_F(Browsing, AChosenFileGivesTheCommandLineAndTheTitle)
{
    const std::string chosen = FreshFolder("Browse") + "\\archive.tar.gz";
    CloseHandle(CreateFileA(chosen.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const std::string edits = Browse(1, [&](HWND browse) {
        SetDlgItemTextA(browse, 0x47c, chosen.c_str()); // the file name box
        PostMessageA(browse, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(LowerAscii(edits), LowerAscii(chosen) + "|archive.tar");
}

TEST_F(Browsing, ANameOutsideTheCodePageGivesItsShortForm)
{
    const std::string folder = FreshFolder("Browse");
    const std::wstring chosen = NewFile(Widened(folder) + L"\\R\u00E9sum\u00E9.txt");
    const std::string edits = Browse(1, [&](HWND browse) {
        SetDlgItemTextW(browse, 0x47c, chosen.c_str());
        PostMessageA(browse, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(edits, ShortPath(Widened(folder)) + "\\R_SU~XRO.TXT|R_SU~XRO");
}

} // namespace
