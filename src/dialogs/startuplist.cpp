#include "dialogs/startuplist.h"

#include "panel/launch.h"
#include "panel/panel.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "store/slots.h"
#include "text/decimal.h"

void RefreshStartupList(HWND dialog)
{
    SendDlgItemMessageA(dialog, IDC_LIST_SLOTS, LB_RESETCONTENT, 0, 0);
    SendDlgItemMessageA(dialog, IDC_LIST_TITLES, LB_RESETCONTENT, 0, 0);
    const long long count = StartupSlotCount();
    for (int slot = 0; slot < count; ++slot) {
        if (!RunsAtStart(slot))
            continue;
        SendDlgItemMessageA(dialog, IDC_LIST_SLOTS, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(NameOfSlot(slot).text));
        char title[kPathBufferSize];
        ReadSlotRecord(kTitleField, slot, title, kPathBufferSize);
        SendDlgItemMessageA(dialog, IDC_LIST_TITLES, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(title));
    }
}

static void UnregisterEntry(HWND dialog, WPARAM index)
{
    char name[kSlotNameSize] = "";
    if (SendDlgItemMessageA(dialog, IDC_LIST_SLOTS, LB_GETTEXTLEN, index, 0) >= kSlotNameSize)
        return;
    SendDlgItemMessageA(dialog, IDC_LIST_SLOTS, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name));
    const int slot = ParseDecimal(name);
    OptionPair options = ReadSlotOptions(slot);
    options.runAtStart = 0;
    WriteSlotOptions(slot, options);
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
    DialogBoxParamW(Instance, L"" EXECLIST_TEMPLATE, owner, StartupListProc, 0);
}
