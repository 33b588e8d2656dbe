#include "panel/launchbtn.h"

#include <shellapi.h>

#include "panel/access.h"
#include "panel/buttondrag.h"
#include "panel/fileicon.h"
#include "panel/launch.h"
#include "panel/layout.h"
#include "panel/tips.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "store/slots.h"
#include "system/syslib.h"

static SlotPropertiesOpener OpenProperties;

// The launch button that last had the keyboard focus: its slot, and its place on its page.
static int FocusedSlot = -1;
static int FocusedIndex;

const int kNameSize = 64;

const UINT kLaunchLockMilliseconds = 500;
static bool LaunchLock;

// Reached from the button's window data from its creation to its last message.
struct LaunchButton {
    int slot;
    WNDPROC kept;
    HICON icon;
    POINT press; // where the left button was last pressed on it, in its client coordinates
};

void SetSlotPropertiesOpener(SlotPropertiesOpener open)
{
    OpenProperties = open;
}

// A rebuild asked for and not yet made is not asked for again: one rebuild shows every change.
void RequestPanelRebuild()
{
    MSG pending;
    if (!PeekMessageA(&pending, BarWindow, UM_REBUILD_PANEL, UM_REBUILD_PANEL, PM_NOREMOVE))
        PostMessageA(BarWindow, UM_REBUILD_PANEL, 0, 0);
}

void ReleaseLaunchLock(HWND panel)
{
    LaunchLock = false;
    KillTimer(panel, kLaunchLockTimer);
}

static LaunchButton *StateOf(HWND button)
{
    return reinterpret_cast<LaunchButton *>(GetWindowLongA(button, GWL_USERDATA));
}

// What a screen reader reads is the button's text, which an icon button does not draw: its title,
// or for an empty slot a word saying so.
static void NameButton(HWND button, const char *title)
{
    if (title) {
        SetWindowTextA(button, title);
        return;
    }
    wchar_t name[kNameSize];
    LoadStringW(Instance, IDS_EMPTY_BUTTON, name, kNameSize);
    SetWindowTextW(button, name);
}

// The title read here is copied by the tooltip window.
static void LoadButtonLook(HWND panel, HWND button, LaunchButton *state)
{
    char text[kPathBufferSize], file[kPathBufferSize];
    ReadSlotRecord(kFileField, state->slot, text, kPathBufferSize);
    const bool empty = text[0] == '\0';
    if (!empty) {
        ReachableFile(text, file);
        state->icon = CreateFileIcon(file, BarScaled(kSmallIconSize));
        SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(state->icon));
    }
    ReadSlotRecord(kTitleField, state->slot, text, kPathBufferSize);
    AddButtonTip(panel, button, text);
    NameButton(button, empty ? nullptr : text);
}

void AddLaunchButtonTips(HWND panel)
{
    for (HWND button = GetWindow(panel, GW_CHILD); button;
         button = GetWindow(button, GW_HWNDNEXT)) {
        char title[kPathBufferSize];
        ReadSlotRecord(kTitleField, StateOf(button)->slot, title, kPathBufferSize);
        AddButtonTip(panel, button, title);
    }
}

static void ReleaseButtonIcon(LaunchButton *state)
{
    if (state->icon)
        DestroyIcon(state->icon);
    state->icon = nullptr;
}

static void ClickButton(HWND button, int slot)
{
    if (LaunchLock)
        return;
    SetTimer(GetParent(button), kLaunchLockTimer, kLaunchLockMilliseconds, nullptr);
    LaunchLock = true;
    if (static_cast<UINT_PTR>(OpenSlot(slot)) <= 32)
        OpenProperties(slot);
}

static LRESULT CALLBACK LaunchButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);

static int SlotOfButton(HWND window)
{
    if (!window || GetWindowLongA(window, GWL_WNDPROC) != reinterpret_cast<LONG>(LaunchButtonProc))
        return -1;
    return StateOf(window)->slot;
}

static POINT PointOf(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// A move with the button pressed on it (the button has the capture then), and the pointer past
// the drag distance, starts a drag; the drag takes the release, so no click follows. The button
// may be gone after it.
static void FollowPressedPointer(HWND button, LaunchButton *state, WPARAM wParam, LPARAM lParam)
{
    if (!(wParam & MK_LBUTTON) || GetCapture() != button ||
        !LeftDragDistance(state->press, PointOf(lParam)))
        return;
    if (DragSlot(state->slot, SlotOfButton))
        RequestPanelRebuild();
}

// At a point of the button: the pointer's, or its corner for the keyboard.
static void ShowButtonMenu(HWND button, POINT point)
{
    RECT client;
    GetClientRect(button, &client);
    if (!PtInRect(&client, point))
        return;
    const HMENU menu = LoadMenuW(Instance, L"" BTN_POPUP_MENU);
    if (!menu)
        return;
    ClientToScreen(button, &point);
    TrackPopupMenuEx(GetSubMenu(menu, 0), TPM_RIGHTBUTTON, point.x, point.y, button, nullptr);
    DestroyMenu(menu);
}

// Whether the command changed the slot's File or Title.
static bool RunMenuCommand(int slot, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDM_PROPERTIES:
        OpenProperties(slot);
        return false;
    case IDM_COPY:
        CopySlot(slot);
        return false;
    case IDM_CUT:
        return CutSlot(slot);
    case IDM_PASTE:
        return PasteSlot(slot);
    case IDM_DELETE:
        return DeleteSlot(slot);
    default:
        return false;
    }
}

// The panel's buttons are made in their order on the page, which is their order as children.
static HWND ButtonAt(HWND panel, int index)
{
    HWND button = GetWindow(panel, GW_CHILD);
    for (; button && index > 0; --index)
        button = GetWindow(button, GW_HWNDNEXT);
    return button;
}

static void FollowFocus(HWND button, int slot)
{
    FocusedSlot = slot;
    FocusedIndex = 0;
    while ((button = GetWindow(button, GW_HWNDPREV)))
        ++FocusedIndex;
}

void FocusLaunchButton(HWND panel)
{
    HWND button = GetDlgItem(panel, FocusedSlot);
    if (!button)
        button = ButtonAt(panel, FocusedIndex);
    if (!button)
        button = GetWindow(GetWindow(panel, GW_CHILD), GW_HWNDLAST);
    if (button)
        SetFocus(button);
}

// The digits 1 to 9 and 0 open the page's first to tenth button as a click does.
static void OpenButtonAt(HWND panel, int index)
{
    const HWND button = ButtonAt(panel, index);
    if (!button)
        return;
    SetFocus(button);
    ClickButton(button, StateOf(button)->slot);
}

// End, Home and the arrows, in the order of their key codes: the button each goes to.
static const BYTE kMoves[] = {GW_HWNDLAST, GW_HWNDFIRST, GW_HWNDPREV,
                              GW_HWNDPREV, GW_HWNDNEXT,  GW_HWNDNEXT};

// Whether the key was the button's. A page turn builds a new panel, this button gone; Tab and Esc
// are the bar's, which the toolbar hands on too.
static bool TakeKey(HWND button, int slot, WPARAM key)
{
    if (key >= VK_END && key <= VK_DOWN) {
        if (const HWND next = GetWindow(button, kMoves[key - VK_END]))
            SetFocus(next);
    } else if (key == VK_PRIOR || key == VK_NEXT) {
        SendMessageA(BarWindow, WM_COMMAND, key == VK_PRIOR ? IDM_PREVIOUS_PAGE : IDM_NEXT_PAGE, 0);
    } else if (key == VK_RETURN || key == VK_SPACE) {
        ClickButton(button, slot);
    } else if (key == VK_TAB || key == VK_ESCAPE) {
        SendMessageA(BarWindow, WM_KEYDOWN, key, 0);
    } else if (key >= '0' && key <= '9') {
        OpenButtonAt(GetParent(button), key == '0' ? 9 : static_cast<int>(key - '1'));
    } else {
        return false;
    }
    return true;
}

static LRESULT TakeDroppedFiles(int slot, HDROP drop)
{
    if (IsExecutableSlot(slot)) {
        OpenSlotWithDroppedFiles(slot, drop);
    } else {
        wchar_t wide[kWidePathSize];
        char path[kPathBufferSize];
        char title[kPathBufferSize];
        if (FetchDroppedPath(drop, 0, wide, path)) {
            TitleOf(wide, path, title);
            if (RegisterDroppedPath(slot, path, title))
                RequestPanelRebuild();
        }
    }
    DragFinish(drop);
    return 0;
}

// The state is gone with the button's last message.
static LRESULT OnNcDestroy(HWND button, LaunchButton *state, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC kept = state->kept;
    SetWindowLongA(button, GWL_WNDPROC, reinterpret_cast<LONG>(kept));
    SetWindowLongA(button, GWL_USERDATA, 0);
    HeapFree(GetProcessHeap(), 0, state);
    return CallWindowProcA(kept, button, WM_NCDESTROY, wParam, lParam);
}

static LRESULT CALLBACK LaunchButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    LaunchButton *state = StateOf(button);
    // Taken before the handling below, which may open a modal loop in which a rebuild destroys
    // the button and its state.
    const WNDPROC kept = state->kept;
    const int slot = state->slot;
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
        RelayToTooltip(button, message, wParam, lParam);
    switch (message) {
    case WM_DESTROY:
        ReleaseButtonIcon(state);
        break;
    case WM_NCDESTROY:
        return OnNcDestroy(button, state, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        state->press = PointOf(lParam);
        break;
    case WM_MOUSEMOVE:
        FollowPressedPointer(button, state, wParam, lParam);
        break;
    case WM_LBUTTONUP:
        ClickButton(button, slot);
        break;
    case WM_RBUTTONDOWN:
        ShowButtonMenu(button, PointOf(lParam));
        break;
    case WM_CONTEXTMENU: // from the keyboard (Shift+F10, the menu key) its point is (-1, -1)
        if (lParam == -1)
            ShowButtonMenu(button, POINT{0, 0});
        break;
    case WM_KEYDOWN:
        if (TakeKey(button, slot, wParam))
            return 0;
        break;
    case WM_SETFOCUS:
        FollowFocus(button, slot);
        break;
    case WM_GETOBJECT:
        if (const LRESULT answer = AnswerAccessibleObject(button, lParam, wParam))
            return answer;
        break;
    case WM_COMMAND:
        if (RunMenuCommand(slot, wParam))
            RequestPanelRebuild();
        break;
    case WM_DROPFILES:
        return TakeDroppedFiles(slot, reinterpret_cast<HDROP>(wParam));
    }
    if (!IsWindow(button))
        return 0;
    return CallWindowProcA(kept, button, message, wParam, lParam);
}

HWND CreateLaunchButton(HWND panel, int slot, int x, int y, int width, int height)
{
    // Made to take dropped files, as DragAcceptFiles would make it, without a second call.
    const HWND button = CreateWindowExA(
        WS_EX_ACCEPTFILES, "button", nullptr, WS_CHILD | WS_VISIBLE | BS_ICON, x, y, width, height,
        panel, reinterpret_cast<HMENU>(static_cast<INT_PTR>(slot)), Instance, nullptr);
    auto *state = static_cast<LaunchButton *>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(LaunchButton)));
    if (!button || !state) {
        HeapFree(GetProcessHeap(), 0, state);
        return button;
    }
    AcceptDropsFromLowerIntegrity(button);
    state->slot = slot;
    state->kept = reinterpret_cast<WNDPROC>(GetWindowLongA(button, GWL_WNDPROC));
    SetWindowLongA(button, GWL_USERDATA, reinterpret_cast<LONG>(state));
    SetWindowLongA(button, GWL_WNDPROC, reinterpret_cast<LONG>(LaunchButtonProc));
    LoadButtonLook(panel, button, state);
    return button;
}
