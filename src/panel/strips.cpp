#include "panel/strips.h"

#include "panel/access.h"
#include "panel/layout.h"
#include "system/syslib.h"
#include "placement/barwindow.h"
#include "res/resource.h"

const DWORD kToolbarStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_WRAPABLE | TBSTYLE_TOOLTIPS;
const int kToolbarButtons = 4;
const int kTipSize = 32;

HWND CommandStrip;
HWND GripStrip;
int CommandStripSize;
static HWND Toolbar;
static WNDPROC ToolbarKept;

// The tooltip texts, by command, loaded when the toolbar is built. The strip is a Unicode dialog:
// the toolbar asks it for them in UTF-16, and they read right whatever the code page.
struct Tip {
    int command;
    UINT text;
    wchar_t loaded[kTipSize];
};
static Tip Tips[kToolbarButtons] = {{IDM_EXIT, IDS_TIP_EXIT, L""},
                                    {IDM_SETTINGS, IDS_TIP_SETTINGS, L""},
                                    {IDM_PREVIOUS_PAGE, IDS_TIP_PREVIOUS_PAGE, L""},
                                    {IDM_NEXT_PAGE, IDS_TIP_NEXT_PAGE, L""}};

// The toolbar's pictures are drawn for the small-icon sizes of 96, 120, 144 and 192 DPI; between
// those the largest that fits is shown, never one stretched.
struct Pictures {
    int size;
    UINT bitmap;
};
const Pictures kPictures[] = {
    {16, IDB_TOOLBAR}, {20, IDB_TOOLBAR_20}, {24, IDB_TOOLBAR_24}, {32, IDB_TOOLBAR_32}};

static Pictures PicturesForBar()
{
    Pictures chosen = kPictures[0];
    for (const Pictures &p : kPictures)
        if (p.size <= BarScaled(kSmallIconSize))
            chosen = p;
    return chosen;
}

static void StartBarMove()
{
    SendMessageA(BarWindow, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
}

static void SetTipText(NMHDR *header)
{
    TOOLTIPTEXTW *tip = reinterpret_cast<TOOLTIPTEXTW *>(header);
    for (Tip &t : Tips)
        if (header->idFrom == static_cast<UINT_PTR>(t.command))
            tip->lpszText = t.loaded;
}

// Some toolbar controls (Wine's) take the height from the rows of the previous layout and wrap
// the buttons afterwards; a second request then fits the height to the new rows.
static void FitToolbar()
{
    SendMessageA(Toolbar, TB_AUTOSIZE, 0, 0);
    SendMessageA(Toolbar, TB_AUTOSIZE, 0, 0);
}

static INT_PTR CALLBACK CommandStripProc(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        FitToolbar();
        break;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR *>(lParam)->code == TTN_NEEDTEXTW)
            SetTipText(reinterpret_cast<NMHDR *>(lParam));
        break;
    case WM_COMMAND:
        PostMessageA(BarWindow, WM_COMMAND, wParam, lParam);
        break;
    case WM_LBUTTONDOWN:
        StartBarMove();
        break;
    case WM_DESTROY:
        CommandStrip = nullptr;
        CommandStripSize = 0;
        break;
    }
    return FALSE;
}

static INT_PTR CALLBACK GripStripProc(HWND, UINT message, WPARAM, LPARAM)
{
    if (message == WM_LBUTTONDOWN)
        StartBarMove();
    else if (message == WM_DESTROY)
        GripStrip = nullptr;
    return FALSE;
}

void CreateCommandStrip(HWND bar)
{
    CommandStrip =
        CreateDialogParamW(Instance, L"" TOOLBAR_BASE_TEMPLATE, bar, CommandStripProc, 0);
}

void CreateGripStrip(HWND bar)
{
    GripStrip = CreateDialogParamA(Instance, FRAME_TEMPLATE, bar, GripStripProc, 0);
}

// The toolbar's tooltip window is a pop-up that the system gives the bar as owner; under some
// window managers (Wine's) an owned pop-up keeps the bar out of the topmost band, so it is
// given no owner. It is destroyed with the toolbar all the same.
static void ShowTipsAlways(HWND tooltip)
{
    SetWindowLongA(tooltip, GWL_STYLE, GetWindowLongA(tooltip, GWL_STYLE) | TTS_ALWAYSTIP);
    SetWindowLongA(tooltip, GWL_HWNDPARENT, 0);
}

// The toolbar names its buttons to screen readers by their tips, and hands Tab and Esc to the bar.
static LRESULT CALLBACK ToolbarProc(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETOBJECT:
        if (const LRESULT answer =
                AnswerAccessibleObject(toolbar, lParam, wParam, IDS_TIP_EXIT, kToolbarButtons))
            return answer;
        break;
    case WM_KEYDOWN:
        if (wParam == VK_TAB || wParam == VK_ESCAPE)
            return SendMessageA(BarWindow, message, wParam, lParam);
        break;
    }
    return CallWindowProcA(ToolbarKept, toolbar, message, wParam, lParam);
}

// Made anew when the bar's DPI changes.
void CreateCommandToolbar()
{
    if (Toolbar)
        DestroyWindow(Toolbar);
    CommandStripSize = BarScaled(kCommandStripSize);
    const Pictures pictures = PicturesForBar();
    TBBUTTON buttons[kToolbarButtons] = {};
    for (int i = 0; i < kToolbarButtons; ++i) {
        buttons[i].iBitmap = i;
        buttons[i].idCommand = Tips[i].command;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = TBSTYLE_BUTTON;
        LoadStringW(Instance, Tips[i].text, Tips[i].loaded, kTipSize);
    }
    Toolbar = CreateToolbarFromSystem(CommandStrip, kToolbarStyle, IDC_COMMAND_TOOLBAR,
                                      kToolbarButtons, Instance, pictures.bitmap, buttons,
                                      kToolbarButtons, 0, 0, pictures.size, pictures.size,
                                      sizeof(TBBUTTON));
    ShowTipsAlways(reinterpret_cast<HWND>(SendMessageA(Toolbar, TB_GETTOOLTIPS, 0, 0)));
    ToolbarKept = reinterpret_cast<WNDPROC>(
        SetWindowLongA(Toolbar, GWL_WNDPROC, reinterpret_cast<LONG>(ToolbarProc)));
}

// The toolbar maps its pictures' greys and white to the button colours as it is made: made anew,
// it shows the new colours.
void RecolourToolbar()
{
    CreateCommandToolbar();
    FitToolbar();
}
