#include "dialogs/propsdlg.h"

#include <windows.h>

#include "dialogs/filedlg.h"
#include "dialogs/strings.h"
#include "panel/launch.h"
#include "panel/launchbtn.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "store/slots.h"
#include "text/codepage.h"

static int Slot;
static char FileBuffer[kPathBufferSize];
static char TitleBuffer[kPathBufferSize];
static wchar_t BrowseFile[kWidePathSize];
static wchar_t BrowseName[kPathBufferSize];
static OPENFILENAMEW BrowseRecord;
// The stored window state, written back as it was when the list offers no entry for it.
static int StoredShowMode;

static void AddShowModes(HWND dialog)
{
    AddStringTableEntries(dialog, IDC_SHOW_MODE, IDS_SHOW_NORMAL,
                          IDS_SHOW_MAXIMIZED - IDS_SHOW_NORMAL + 1);
}

static void ShowField(HWND dialog, int control, SlotField field, char *buffer)
{
    ReadSlotRecord(field, Slot, buffer, kRecordSize);
    SendDlgItemMessageA(dialog, control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(buffer));
}

static void OnInit(HWND dialog, int slot)
{
    Slot = slot;
    const OptionPair options = ReadSlotOptions(slot);
    StoredShowMode = options.showMode;
    AddShowModes(dialog);
    SendDlgItemMessageA(dialog, IDC_SHOW_MODE, CB_SETCURSEL, options.showMode, 0);
    SendDlgItemMessageA(dialog, IDC_RUN_AT_START, BM_SETCHECK,
                        options.runAtStart != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    ShowField(dialog, IDC_FILE, kFileField, FileBuffer);
    ShowField(dialog, IDC_TITLE, kTitleField, TitleBuffer);
}

static void StoreField(HWND dialog, int control, SlotField field, char *buffer)
{
    buffer[0] = '\0';
    SendDlgItemMessageA(dialog, control, WM_GETTEXT, kRecordSize, reinterpret_cast<LPARAM>(buffer));
    WriteSlotRecord(field, Slot, buffer);
}

static void OnStore(HWND dialog)
{
    const LRESULT selected = SendDlgItemMessageA(dialog, IDC_SHOW_MODE, CB_GETCURSEL, 0, 0);
    OptionPair options;
    options.showMode = selected == CB_ERR ? StoredShowMode : static_cast<int>(selected);
    options.runAtStart =
        SendDlgItemMessageA(dialog, IDC_RUN_AT_START, BM_GETCHECK, 0, 0) == BST_CHECKED;
    WriteSlotOptions(Slot, options);
    StoreField(dialog, IDC_FILE, kFileField, FileBuffer);
    StoreField(dialog, IDC_TITLE, kTitleField, TitleBuffer);
    EndDialog(dialog, 1);
}

// A name outside the code page comes back whole from the dialog; what it gives is stored as the
// panel stores a dropped file, and a file the bar cannot name changes nothing.
static void OnBrowse(HWND dialog)
{
    MultiByteToWideChar(CP_ACP, 0, FileBuffer, -1, BrowseFile, kWidePathSize);
    ZeroMemory(&BrowseRecord, sizeof BrowseRecord);
    BrowseRecord.hwndOwner = dialog;
    BrowseRecord.lpstrFile = BrowseFile;
    BrowseRecord.nMaxFile = kWidePathSize;
    BrowseRecord.lpstrFileTitle = BrowseName;
    BrowseRecord.nMaxFileTitle = kPathBufferSize;
    BrowseRecord.Flags = OFN_HIDEREADONLY;
    char path[kPathBufferSize];
    if (!ShowFileDialog(&BrowseRecord, false, IDS_BROWSE_FILTER, IDS_BROWSE_TITLE) ||
        !AnsiPathOf(BrowseFile, path))
        return;
    lstrcpyA(FileBuffer, path);
    TitleOf(BrowseName, FileBuffer, TitleBuffer);
    SendDlgItemMessageA(dialog, IDC_FILE, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(FileBuffer));
    SendDlgItemMessageA(dialog, IDC_TITLE, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(TitleBuffer));
}

static INT_PTR OnCommand(HWND dialog, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        OnStore(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    case IDC_BROWSE:
        OnBrowse(dialog);
        return FALSE;
    default:
        return FALSE;
    }
}

static INT_PTR CALLBACK PropertiesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog, static_cast<int>(lParam));
        return FALSE;
    case WM_COMMAND:
        return OnCommand(dialog, wParam);
    default:
        return FALSE;
    }
}

void OpenPropertiesDialog(int slot)
{
    if (DialogBoxParamW(Instance, L"" REGIST_TEMPLATE, BarWindow, PropertiesProc, slot) == 1)
        RequestPanelRebuild();
}
