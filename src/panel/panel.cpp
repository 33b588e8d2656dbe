#include "panel/panel.h"

#include <commctrl.h>

#include "panel/launchbtn.h"
#include "panel/strips.h"
#include "placement/appbar.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "store/settings.h"
#include "store/slots.h"

HWND ButtonPanel;
int ButtonsPerPage;
int LaunchLock;
HWND ButtonTable[kMaxButtons];
WNDPROC SavedProcTable[kMaxButtons];
int HasIconTable[kMaxButtons + 2];
HICON IconTable[kMaxButtons + 2];

static HWND PanelTooltip;

// A child of the bar and the place it was last given.
struct PlacedChild {
    HWND window;
    Box box;
};
static PlacedChild CommandStripPlace, GripStripPlace, PanelPlace;

// Moving a window costs about as much when it stays where it is: a child is moved only when it
// is new or its place has changed.
static void Place(HWND child, const Box &box, PlacedChild *placed)
{
    if (!child || (placed->window == child && SameBox(placed->box, box)))
        return;
    SetWindowPos(child, nullptr, box.x, box.y, box.width, box.height, 0);
    *placed = PlacedChild{child, box};
}

static void DestroyPanel()
{
    if (ButtonPanel)
        DestroyWindow(ButtonPanel);
}

void RequestPanelRebuild()
{
    PostMessageA(BarWindow, UM_REBUILD_PANEL, 0, 0);
}

static INT_PTR CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);

// What the panel shown was built for.
static ButtonPage Built;

static void PlacePanel()
{
    RECT client;
    GetClientRect(BarWindow, &client);
    PanelLayout layout;
    if (LayOutPanel(AppBarMode, client.right, client.bottom, CommandStripSize, &layout))
        Place(ButtonPanel, layout.panel, &PanelPlace);
}

static void CreatePanel()
{
    Built = ButtonPage{AppBarMode, ButtonsPerPage, DispPage};
    ButtonPanel = CreateDialogParamA(Instance, SELECT_BASE_TEMPLATE, BarWindow, PanelProc, 0);
    PlacePanel();
}

// The taskbar margin the strips were last laid out with.
static int Margin;

// Places the strips for the bar's size and returns the buttons per page that size holds with
// the taskbar margin given.
static int LayOutStrips(int margin)
{
    Margin = margin;
    RECT client;
    GetClientRect(BarWindow, &client);
    PanelLayout layout;
    if (LayOutPanel(AppBarMode, client.right, client.bottom, CommandStripSize, &layout)) {
        Place(CommandStrip, layout.commandStrip, &CommandStripPlace);
        Place(GripStrip, layout.gripStrip, &GripStripPlace);
    }
    return ButtonCount(AppBarMode, client.right, client.bottom, CommandStripSize, margin,
                       ButtonsPerPage);
}

// The layouts made while the bar is being created come before its strips and only count: the
// creation builds the panel once the strips are there.
void RebuildPanel()
{
    DestroyPanel();
    ButtonsPerPage = LayOutStrips(QueryTaskbarMargin());
    if (CommandStrip)
        CreatePanel();
}

// A bar withdrawn to its strip has no room inside: what it holds stays for its return. The
// shell is asked for its taskbar only once the size change has been handled: it answers from
// another process, and its answer seldom changes.
void FollowBarSize()
{
    RECT client;
    GetClientRect(BarWindow, &client);
    if (ButtonPanel && (client.right <= 0 || client.bottom <= 0))
        return;
    if (ButtonPanel && SameButtons(Built, ButtonPage{AppBarMode, LayOutStrips(Margin), DispPage})) {
        PlacePanel();
        PostMessageA(BarWindow, UM_CHECK_TASKBAR, 0, 0);
        return;
    }
    RebuildPanel();
}

void CheckTaskbarMargin()
{
    if (QueryTaskbarMargin() != Margin)
        RebuildPanel();
}

void ShowPage(int page)
{
    DestroyPanel();
    DispPage = page;
    CreatePanel();
}

void ShowPreviousPage()
{
    ShowPage(PreviousPage(DispPage, MaxPage));
}

void ShowNextPage()
{
    ShowPage(NextPage(DispPage, MaxPage));
}

static void CreateButton(HWND panel, int index)
{
    int x, y;
    ButtonOrigin(AppBarMode, index, &x, &y);
    const int slot = SlotNumber(DispPage, ButtonsPerPage, index);
    const HWND button = CreateWindowExA(
        0, "button", nullptr, WS_CHILD | WS_VISIBLE | BS_ICON, x, y, kButtonWidth, kButtonHeight,
        panel, reinterpret_cast<HMENU>(static_cast<INT_PTR>(slot)), Instance, nullptr);
    ButtonTable[index] = button;
    SavedProcTable[index] = reinterpret_cast<WNDPROC>(GetWindowLongA(button, GWL_WNDPROC));
    SetWindowLongA(button, GWL_WNDPROC, reinterpret_cast<LONG>(LaunchButtonProc));
    SendMessageA(button, UM_LATE_INIT, 0, 0);
}

// The tooltip window has no owner: an owned pop-up above the bar keeps some window managers
// (Wine's) from moving the bar into the topmost band. One window serves every panel for the
// bar's life, each panel bringing its own tools, so that a rebuild does not pay for a window.
// The buttons relay their mouse messages to it themselves rather than letting the tooltip
// subclass each of them, which would cost a rebuild as much again as the buttons themselves.
static void AddTooltips(HWND panel)
{
    if (!PanelTooltip)
        PanelTooltip =
            CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                            CW_USEDEFAULT, 10, 10, nullptr, nullptr, Instance, nullptr);
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = panel;
    for (int i = 0; i < ButtonsPerPage; ++i) {
        ReadSlotRecord(kTitleField, GetDlgCtrlID(ButtonTable[i]), ScratchBuffer, kPathBufferSize);
        tool.uId = reinterpret_cast<UINT_PTR>(ButtonTable[i]);
        tool.lpszText = ScratchBuffer;
        SendMessageA(PanelTooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

static void OnPanelInit(HWND panel)
{
    KeepSlotKeysOpen();
    for (int i = 0; i < ButtonsPerPage; ++i)
        CreateButton(panel, i);
    AddTooltips(panel);
    CloseSlotKeys();
}

void RelayToTooltip(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg = {window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    GetCursorPos(&msg.pt);
    SendMessageA(PanelTooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

static void ReleaseLaunchLock(HWND panel)
{
    LaunchLock = 0;
    KillTimer(panel, kLaunchLockTimer);
}

// Deleting the tool under a shown tip hides the tip.
static void RemoveTooltips()
{
    for (LRESULT n = SendMessageA(PanelTooltip, TTM_GETTOOLCOUNT, 0, 0); n > 0; --n) {
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        SendMessageA(PanelTooltip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageA(PanelTooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void DestroyPanelTooltip()
{
    DestroyWindow(PanelTooltip);
    PanelTooltip = nullptr;
}

static void OnPanelDestroy(HWND panel)
{
    if (LaunchLock == 1)
        ReleaseLaunchLock(panel);
    RemoveTooltips();
    if (ButtonPanel == panel)
        ButtonPanel = nullptr;
}

static INT_PTR CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnPanelInit(panel);
        break;
    case WM_MOUSEMOVE:
        RelayToTooltip(panel, message, wParam, lParam);
        break;
    case WM_TIMER:
        ReleaseLaunchLock(panel);
        break;
    case WM_DESTROY:
        OnPanelDestroy(panel);
        break;
    }
    return FALSE;
}
