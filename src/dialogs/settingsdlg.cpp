#include "dialogs/settingsdlg.h"

#include <windows.h>

#include <commctrl.h>

#include "dialogs/about.h"
#include "dialogs/barfiledlg.h"
#include "dialogs/startuplist.h"
#include "dialogs/strings.h"
#include "panel/keyboard.h"
#include "panel/panel.h"
#include "placement/appbar.h"
#include "placement/autohide.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "store/autostart.h"
#include "store/settings.h"
#include "text/decimal.h"

const int kDelayTextSize = 32;

// The page counts offered, as Settings.MaxPage values, in the order of the list.
static const int kMaxPages[] = {0, 1, 2, 4, 9};
const int kPageChoices = sizeof kMaxPages / sizeof kMaxPages[0];

static void SetCheck(HWND dialog, int control, int value)
{
    SendDlgItemMessageA(dialog, control, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
}

static int Checked(HWND dialog, int control)
{
    return SendDlgItemMessageA(dialog, control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

static void FillPageCounts(HWND dialog)
{
    AddStringTableEntries(dialog, IDC_PAGE_COUNT, IDS_PAGES_1, kPageChoices);
    for (int i = 0; i < kPageChoices; ++i) {
        if (kMaxPages[i] == Settings.MaxPage)
            SendDlgItemMessageA(dialog, IDC_PAGE_COUNT, CB_SETCURSEL, i, 0);
    }
}

// Beside the hotkey control, as it changes: whether another program holds its hotkey.
static void ShowHotKeyState(HWND dialog)
{
    const LRESULT value = SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0);
    ShowWindow(GetDlgItem(dialog, IDC_HOTKEY_IN_USE),
               HotKeyHeldElsewhere(LOWORD(value)) ? SW_SHOW : SW_HIDE);
}

// A hotkey without Ctrl or Alt would take a key from every program: the control adds Ctrl+Alt.
static void ShowHotKey(HWND dialog)
{
    SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                        MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_SETHOTKEY, LOWORD(Settings.HotKey), 0);
    ShowHotKeyState(dialog);
}

static void OnInit(HWND dialog)
{
    SetCheck(dialog, IDC_TOP_MODE, Settings.TopMode);
    char delay[kDelayTextSize];
    wsprintfA(delay, "%d", Settings.HideTime);
    SendDlgItemMessageA(dialog, IDC_HIDE_TIME, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(delay));
    SetCheck(dialog, IDC_HIDE_MODE, Settings.HideMode);
    SetCheck(dialog, IDC_START_LAUNCH, Settings.StartLaunch);
    SetCheck(dialog, IDC_START_EXEC, Settings.StartExecFlg);
    FillPageCounts(dialog);
    ShowHotKey(dialog);
}

static int ReadDelay(HWND dialog)
{
    char delay[kDelayTextSize] = "";
    SendDlgItemMessageA(dialog, IDC_HIDE_TIME, WM_GETTEXT, kDelayTextSize,
                        reinterpret_cast<LPARAM>(delay));
    return ParseDecimal(delay);
}

static void OnOk(HWND dialog)
{
    Settings.HideTime = ReadDelay(dialog);
    Settings.TopMode = Checked(dialog, IDC_TOP_MODE);
    Settings.HideMode = Checked(dialog, IDC_HIDE_MODE);
    Settings.StartLaunch = Checked(dialog, IDC_START_LAUNCH);
    Settings.StartExecFlg = Checked(dialog, IDC_START_EXEC);
    const LRESULT page = SendDlgItemMessageA(dialog, IDC_PAGE_COUNT, CB_GETCURSEL, 0, 0);
    if (page >= 0 && page < kPageChoices)
        Settings.MaxPage = kMaxPages[page];
    Settings.HotKey = LOWORD(SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0));
    SaveBehaviourSettings();
    EndDialog(dialog, 1);
}

static INT_PTR OnCommand(HWND dialog, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOk(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 1);
        return TRUE;
    case IDC_ABOUT:
        OpenAboutBox(dialog);
        return FALSE;
    case IDC_STARTUP_LIST:
        OpenStartupList(dialog);
        return FALSE;
    case IDC_HELP_DOCUMENT:
        OpenHelpDocument();
        return FALSE;
    case IDC_EXPORT_BAR:
        ExportBarFrom(dialog);
        return FALSE;
    case IDC_IMPORT_BAR:
        ImportBarInto(dialog);
        return FALSE;
    case IDC_HOTKEY:
        if (HIWORD(wParam) == EN_CHANGE)
            ShowHotKeyState(dialog);
        return FALSE;
    default:
        return FALSE;
    }
}

static INT_PTR CALLBACK SettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog);
        return FALSE;
    case WM_COMMAND:
        return OnCommand(dialog, wParam);
    default:
        return FALSE;
    }
}

// The box shows on while Windows starts the bar: the machine-wide entry may be there from an
// earlier start as administrator. Unticked, it stays on where the entry cannot be deleted.
static void FollowAutostart(int before)
{
    if (Settings.StartExecFlg == before)
        return;
    const int starts =
        ApplyAutostart(HKEY_LOCAL_MACHINE, Settings.StartExecFlg == 1, Settings.curpath) ? 1 : 0;
    if (starts != Settings.StartExecFlg) {
        Settings.StartExecFlg = starts;
        WriteSetting(kStartExecFlg, starts);
    }
}

// What the dialog changed is applied to the running bar at once.
void RunSettingsCommand()
{
    if (AutostartRemains(HKEY_LOCAL_MACHINE))
        Settings.StartExecFlg = 1;
    const SettingsRecord before = Settings;
    if (DialogBoxParamW(Instance, L"" CONFIG_TEMPLATE, BarWindow, SettingsProc, 0) == CONFIG_IMPORTED)
        TakeImportedBar();
    if (Settings.DispPage > Settings.MaxPage) // the page count shrank below the page shown
        ShowPage(0);
    if (Settings.TopMode != before.TopMode)
        ApplyTopMode();
    if (Settings.HideMode != before.HideMode && Settings.FloatMode == 0)
        SwitchHideMode(before.HideMode);
    FollowAutostart(before.StartExecFlg);
    FollowAutoHideMode(Settings.HideTime != before.HideTime);
    if (Settings.HotKey != before.HotKey)
        TakeHotKey();
}
