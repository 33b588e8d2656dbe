#include "dialogs/settingsdlg.h"

#include "dialogs/about.h"
#include "dialogs/startuplist.h"
#include "panel/panel.h"
#include "placement/appbar.h"
#include "placement/autohide.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "store/registry.h"
#include "store/settings.h"
#include "store/slots.h"
#include "text/decimal.h"

const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\run";
const char kUserRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunValue[] = "quorvane_korimbel";
const int kDelayTextSize = 32;
const int kPageTextSize = 32;

// The page counts offered, as MaxPage values, in the order of the list.
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
    for (int i = 0; i < kPageChoices; ++i) {
        char text[kPageTextSize];
        LoadStringA(Instance, IDS_PAGES_1 + i, text, kPageTextSize);
        SendDlgItemMessageA(dialog, IDC_PAGE_COUNT, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(text));
        if (kMaxPages[i] == MaxPage)
            SendDlgItemMessageA(dialog, IDC_PAGE_COUNT, CB_SETCURSEL, i, 0);
    }
}

static void OnInit(HWND dialog)
{
    SetCheck(dialog, IDC_TOP_MODE, TopMode);
    char delay[kDelayTextSize];
    wsprintfA(delay, "%d", HideTime);
    SendDlgItemMessageA(dialog, IDC_HIDE_TIME, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(delay));
    SetCheck(dialog, IDC_HIDE_MODE, HideMode);
    SetCheck(dialog, IDC_START_LAUNCH, StartLaunch);
    SetCheck(dialog, IDC_START_EXEC, StartExecFlg);
    FillPageCounts(dialog);
}

static int ReadDelay(HWND dialog)
{
    char delay[kDelayTextSize] = "";
    SendDlgItemMessageA(dialog, IDC_HIDE_TIME, WM_GETTEXT, kDelayTextSize,
                        reinterpret_cast<LPARAM>(delay));
    return ParseDecimal(delay);
}

static void Store(const Setting &setting, int *copy, int value)
{
    *copy = value;
    WriteSetting(setting, value);
}

static void OnOk(HWND dialog)
{
    Store(kHideTime, &HideTime, ReadDelay(dialog));
    Store(kTopMode, &TopMode, Checked(dialog, IDC_TOP_MODE));
    Store(kHideMode, &HideMode, Checked(dialog, IDC_HIDE_MODE));
    Store(kStartLaunch, &StartLaunch, Checked(dialog, IDC_START_LAUNCH));
    Store(kStartExecFlg, &StartExecFlg, Checked(dialog, IDC_START_EXEC));
    const LRESULT page = SendDlgItemMessageA(dialog, IDC_PAGE_COUNT, CB_GETCURSEL, 0, 0);
    Store(kMaxPage, &MaxPage, page >= 0 && page < kPageChoices ? kMaxPages[page] : MaxPage);
    Store(kTimerSound, &TimerSound, 0);
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

void ApplyAutostart(HKEY machine, bool on)
{
    if (!on) {
        DeleteValue(machine, kRunKey, kRunValue);
        DeleteValue(HKEY_CURRENT_USER, kUserRunKey, kRunValue);
        return;
    }
    if (!FormRunEntry(ProgramFolder, ScratchBuffer))
        return;
    if (!WriteString(machine, kRunKey, kRunValue, ScratchBuffer))
        WriteString(HKEY_CURRENT_USER, kUserRunKey, kRunValue, ScratchBuffer);
}

void RunSettingsCommand()
{
    const int hideTime = HideTime, topMode = TopMode, hideMode = HideMode, startExec = StartExecFlg;
    DialogBoxParamA(Instance, CONFIG_TEMPLATE, BarWindow, SettingsProc, 0);
    if (DispPage > MaxPage) // the page count shrank below the page shown
        ShowPage(0);
    if (TopMode != topMode)
        ApplyTopMode();
    if (HideMode != hideMode && FloatMode == 0)
        SwitchHideMode(hideMode);
    if (StartExecFlg != startExec)
        ApplyAutostart(HKEY_LOCAL_MACHINE, StartExecFlg == 1);
    FollowAutoHideMode(HideTime != hideTime);
}
