#include "panel/panel.h"

#include <commctrl.h>

#include "panel/launch.h"
#include "panel/launchbtn.h"
#include "panel/strips.h"
#include "panel/tips.h"
#include "placement/appbar.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "store/settings.h"
#include "store/slots.h"

HWND ButtonPanel;
int ButtonsPerPage;

// Hand-edited page counts could make the start-up run and list read the registry for billions
// of slots; no page count the settings offer comes near this.
static const long long kMaxStartupSlots = 10000;

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

// Whether the panel that went had the keyboard focus on one of its buttons; the new one takes it.
static bool Refocus;

static void DestroyPanel()
{
    Refocus = ButtonPanel && IsChild(ButtonPanel, GetFocus());
    if (ButtonPanel)
        DestroyWindow(ButtonPanel);
}

static INT_PTR CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);

// What the panel shown was built for.
static ButtonPage Built = {};

static void PlacePanel()
{
    RECT client;
    GetClientRect(BarWindow, &client);
    PanelLayout layout;
    if (LayOutPanel(Settings.AppBarMode, client.right, client.bottom, CommandStripSize, &layout,
                    BarDpi()))
        Place(ButtonPanel, layout.panel, &PanelPlace);
}

static void CreatePanel()
{
    Built = ButtonPage{Settings.AppBarMode, ButtonsPerPage, Settings.DispPage, BarDpi()};
    ButtonPanel = CreateDialogParamA(Instance, SELECT_BASE_TEMPLATE, BarWindow, PanelProc, 0);
    PlacePanel();
    if (Refocus && ButtonPanel)
        FocusLaunchButton(ButtonPanel);
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
    if (LayOutPanel(Settings.AppBarMode, client.right, client.bottom, CommandStripSize, &layout,
                    BarDpi())) {
        Place(CommandStrip, layout.commandStrip, &CommandStripPlace);
        Place(GripStrip, layout.gripStrip, &GripStripPlace);
    }
    return ButtonCount(Settings.AppBarMode, client.right, client.bottom, CommandStripSize, margin,
                       ButtonsPerPage, BarDpi());
}

// The layouts made while the bar is being created come before its strips and only count: the
// creation builds the panel once the strips are there. (Their counts stand where a later size
// leaves no room to count: a bar too small for its strips keeps the buttons it had.)
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
    if (ButtonPanel && SameButtons(Built, ButtonPage{Settings.AppBarMode, LayOutStrips(Margin),
                                                     Settings.DispPage, BarDpi()})) {
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
    Settings.DispPage = page;
    CreatePanel();
}

void ShowPreviousPage()
{
    ShowPage(PreviousPage(Settings.DispPage, Settings.MaxPage));
}

void ShowNextPage()
{
    ShowPage(NextPage(Settings.DispPage, Settings.MaxPage));
}

static void CreateButton(HWND panel, int index)
{
    int x, y;
    ButtonOrigin(Settings.AppBarMode, index, &x, &y, BarDpi());
    CreateLaunchButton(panel, SlotNumber(Settings.DispPage, ButtonsPerPage, index), x, y,
                       BarScaled(kButtonWidth), BarScaled(kButtonHeight));
}

static void OnPanelInit(HWND panel)
{
    KeepSlotKeysOpen();
    for (int i = 0; i < ButtonsPerPage; ++i)
        CreateButton(panel, i);
    CloseSlotKeys();
}

static void OnPanelDestroy(HWND panel)
{
    ReleaseLaunchLock(panel);
    RemoveButtonTips();
    if (ButtonPanel == panel)
        ButtonPanel = nullptr;
}

long long StartupSlotCount()
{
    const long long count = (static_cast<long long>(Settings.MaxPage) + 1) * ButtonsPerPage;
    return count < kMaxStartupSlots ? count : kMaxStartupSlots;
}

void RunStartupSlots()
{
    if (Settings.StartLaunch != 1)
        return;
    const long long count = StartupSlotCount();
    for (int slot = 0; slot < count; ++slot)
        if (RunsAtStart(slot))
            OpenSlot(slot);
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
        if (wParam == kLaunchLockTimer)
            ReleaseLaunchLock(panel);
        break;
    case WM_DESTROY:
        OnPanelDestroy(panel);
        break;
    }
    return FALSE;
}
