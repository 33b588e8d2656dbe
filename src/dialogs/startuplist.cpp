#include "dialogs/startuplist.h"

#include "panel/launch.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "store/slots.h"
#include "text/decimal.h"

// The list's mode, set when the list opens; its operations act only then. A mode, not a
// control: that it equals the settings dialog's auto-hide box's id means nothing.
const int kListModeOpen = 1037;
static int ListMode;

void RefreshStartupList(HWND dialog)
{
    SendDlgItemMessageA(dialog, IDC_LIST_SLOTS, LB_RESETCONTENT, 0, 0);
    SendDlgItemMessageA(dialog, IDC_LIST_TITLES, LB_RESETCONTENT, 0, 0);
    if (ListMode != kListModeOpen)
        return;
    const long long count = StartupSlotCount();
    for (int slot = 0; slot < count; ++slot) {
        if (!RunsAtStart(slot))
            continue;
        SendDlgItemMessageA(dialog, IDC_LIST_SLOTS, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(NameOfSlot(slot).text));
        ReadSlotRecord(kTitleField, slot, ScratchBuffer, kPathBufferSize);
        SendDlgItemMessageA(dialog, IDC_LIST_TITLES, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(ScratchBuffer));
    }
}

static void UnregisterEntry(HWND dialog, WPARAM index)
{
    char name[kSlotNameSize] = "";
    if (SendDlgItemMessageA(dialog, IDC_LIST_SLOTS, LB_GETTEXTLEN, index, 0) >= kSlotNameSize)
        return;
    SendDlgItemMessageA(dialog, IDC_LIST_SLOTS, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name));
    const int slot = ParseDecimal(name);
    if (ListMode != kListModeOpen)
        return;
    ReadSlotOptions(slot);
    SlotOptions.runAtStart = 0;
    WriteSlotOptions(slot);
}

void UnregisterSelected(HWND dialog)
{
    const LRESULT selected = SendDlgItemMessageA(dialog, IDC_LIST_TITLES, LB_GETCURSEL, 0, 0);
    if (selected != LB_ERR)
        UnregisterEntry(dialog, static_cast<WPARAM>(selected));
}

void UnregisterAll(HWND dialog)
{
    const LRESULT count = SendDlgItemMessageA(dialog, IDC_LIST_SLOTS, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        UnregisterEntry(dialog, static_cast<WPARAM>(i));
}

static INT_PTR OnCommand(HWND dialog, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDOK:
    case IDCANCEL:
        EndDialog(dialog, 1);
        return TRUE;
    case IDC_UNREGISTER_SELECTED:
        UnregisterSelected(dialog);
        RefreshStartupList(dialog);
        return FALSE;
    case IDC_UNREGISTER_ALL:
        UnregisterAll(dialog);
        RefreshStartupList(dialog);
        return FALSE;
    default:
        return FALSE;
    }
}

static INT_PTR CALLBACK StartupListProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        ListMode = kListModeOpen;
        RefreshStartupList(dialog);
        return FALSE;
    case WM_COMMAND:
        return OnCommand(dialog, wParam);
    default:
        return FALSE;
    }
}

void OpenStartupList(HWND owner)
{
    DialogBoxParamA(Instance, EXECLIST_TEMPLATE, owner, StartupListProc, 0);
}
