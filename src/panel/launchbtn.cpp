#include "panel/launchbtn.h"

#include <shellapi.h>

#include "panel/fileicon.h"
#include "panel/launch.h"
#include "panel/panel.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "store/settings.h"
#include "store/slots.h"

static SlotPropertiesOpener OpenProperties;

void SetSlotPropertiesOpener(SlotPropertiesOpener open)
{
    OpenProperties = open;
}

// The button's position in the panel's tables. Found by its slot number, and checked by its
// handle: a button whose panel was rebuilt during a modal loop no longer owns any entry.
static int ButtonIndex(HWND button)
{
    const int index = SlotIndex(GetDlgCtrlID(button), DispPage, ButtonsPerPage);
    if (index >= 0 && index < kMaxButtons && ButtonTable[index] == button)
        return index;
    for (int i = 0; i < kMaxButtons; ++i)
        if (ButtonTable[i] == button)
            return i;
    return -1;
}

static void LoadButtonIcon(HWND button, int index)
{
    DragAcceptFiles(button, TRUE);
    ReadSlotRecord(kFileField, GetDlgCtrlID(button), ScratchBuffer, kPathBufferSize);
    if (ScratchBuffer[0] == '\0') {
        HasIconTable[index] = 0;
        return;
    }
    const HICON icon = CreateFileIcon(ScratchBuffer);
    SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    IconTable[index] = icon;
    HasIconTable[index] = 1;
}

static void ReleaseButtonIcon(HWND button, int index)
{
    DragAcceptFiles(button, FALSE);
    if (HasIconTable[index] == 1) {
        DestroyIcon(IconTable[index]);
        IconTable[index] = nullptr;
        HasIconTable[index] = 0;
    }
}

static void ClickButton(int slot)
{
    if (LaunchLock != 0)
        return;
    SetTimer(ButtonPanel, kLaunchLockTimer, kLaunchLockMilliseconds, nullptr);
    LaunchLock = 1;
    if (static_cast<UINT_PTR>(OpenSlot(slot)) <= 32)
        OpenProperties(slot);
}

static void ShowButtonMenu(HWND button, LPARAM lParam)
{
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    RECT client;
    GetClientRect(button, &client);
    if (!PtInRect(&client, point))
        return;
    const HMENU menu = LoadMenuA(Instance, BTN_POPUP_MENU);
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

LRESULT CALLBACK LaunchButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int index = ButtonIndex(button);
    if (index < 0)
        return DefWindowProcA(button, message, wParam, lParam);
    const WNDPROC saved = SavedProcTable[index];
    const int slot = GetDlgCtrlID(button);
    // Before the handling below, which may open a modal loop or destroy the panel.
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
        RelayToTooltip(button, message, wParam, lParam);
    switch (message) {
    case UM_LATE_INIT:
        LoadButtonIcon(button, index);
        break;
    case WM_DESTROY:
        ReleaseButtonIcon(button, index);
        break;
    case WM_LBUTTONUP:
        ClickButton(slot);
        break;
    case WM_RBUTTONDOWN:
        ShowButtonMenu(button, lParam);
        break;
    case WM_COMMAND:
        if (RunMenuCommand(slot, wParam))
            RequestPanelRebuild();
        break;
    case WM_DROPFILES:
        return TakeDroppedFiles(slot, reinterpret_cast<HDROP>(wParam));
    }
    // A modal loop above may have let a rebuild destroy this button.
    if (!IsWindow(button))
        return 0;
    return CallWindowProcA(saved, button, message, wParam, lParam);
}
