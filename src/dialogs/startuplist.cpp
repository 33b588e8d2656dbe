#include "dialogs/startuplist.h"

#include "panel/launch.h"
#include "panel/panel.h"
#include "res/resource.h"
#include "shell/barwnd.h"
#include "store/settings.h"
#include "store/slots.h"
#include "text/dbcs.h"

const int kSlotTextSize = 32;

// Set when the list opens; its operations act only then.
const int kListReady = 1037;
static int ListMode;

void RefreshStartupList(HWND dialog)
{
    SendDlgItemMessageA(dialog, IDC_LIST_SLOTS, LB_RESETCONTENT, 0, 0);
    SendDlgItemMessageA(dialog, IDC_LIST_TITLES, LB_RESETCONTENT, 0, 0);
    if (ListMode != kListReady)
        return;
    const long long count = (static_cast<long long>(MaxPage) + 1) * ButtonsPerPage;
    for (int slot = 0; slot < count && slot < kMaxStartupSlots; ++slot) {
        ReadSlotOptions(slot);
        if (SlotOptions.runAtStart != 1)
            continue;
        char name[kSlotTextSize];
        wsprintfA(name, "%d", slot);
        SendDlgItemMessageA(dialog, IDC_LIST_SLOTS, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(name));
        ReadSlotRecord(kTitleKey, slot, ScratchBuffer, kPathBufferSize);
        SendDlgItemMessageA(dialog, IDC_LIST_TITLES, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(ScratchBuffer));
    }
}

static void UnregisterEntry(HWND dialog, WPARAM index)
{
    char name[kSlotTextSize] = "";
    if (SendDlgItemMessageA(dialog, IDC_LIST_SLOTS, LB_GETTEXTLEN, index, 0) >= kSlotTextSize)
        return;
    SendDlgItemMessageA(dialog, IDC_LIST_SLOTS, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name));
    const int slot = ParseDecimal(name);
    if (ListMode != kListReady)
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
        ListMode = kListReady;
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
