#include "panel/keyboard.h"

#include <commctrl.h>

#include "panel/launchbtn.h"
#include "panel/panel.h"
#include "panel/strips.h"
#include "placement/autohide.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "store/hotkey.h"
#include "store/settings.h"

// Windows 7 and later: one press, one message, so that a held hotkey does not toggle.
const UINT kNoRepeat = 0x4000;

static bool HotKeyHeld;
static bool HoldingKeyboard;
static HWND Returned;  // the window that had the keyboard before the hotkey
static HWND KeptFocus; // the bar's control with the focus when the bar was last deactivated

// Vista does not know the no-repeat flag and refuses it.
static bool RegisterBarHotKey(HWND window, int value)
{
    unsigned modifiers, key;
    return SystemHotKey(static_cast<unsigned>(value), &modifiers, &key) &&
           (RegisterHotKey(window, BAR_HOTKEY_ID, modifiers | kNoRepeat, key) ||
            RegisterHotKey(window, BAR_HOTKEY_ID, modifiers, key));
}

// A hotkey registered with a window is freed with it.
void TakeHotKey()
{
    if (HotKeyHeld)
        UnregisterHotKey(BarWindow, BAR_HOTKEY_ID);
    HotKeyHeld = RegisterBarHotKey(BarWindow, Settings.HotKey);
}

// Tried for this thread and given up at once.
bool HotKeyHeldElsewhere(int value)
{
    unsigned modifiers, key;
    if (!SystemHotKey(static_cast<unsigned>(value), &modifiers, &key))
        return false;
    if (value == Settings.HotKey)
        return !HotKeyHeld;
    if (!RegisterBarHotKey(nullptr, value))
        return true;
    UnregisterHotKey(nullptr, BAR_HOTKEY_ID);
    return false;
}

// The focus rectangle shows from now on, as after any key in a dialog.
static void TakeKeyboard()
{
    const HWND front = GetForegroundWindow();
    Returned = front != BarWindow ? front : nullptr;
    HoldingKeyboard = true;
    HoldBarOut(true);
    SetForegroundWindow(BarWindow);
    SendMessageA(BarWindow, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    if (ButtonPanel)
        FocusLaunchButton(ButtonPanel);
}

static void LetKeyboardGo()
{
    Returned = nullptr;
    if (HoldingKeyboard)
        HoldBarOut(false);
    HoldingKeyboard = false;
}

bool FollowBarActivation(WPARAM state, HWND other)
{
    if (LOWORD(state) == WA_INACTIVE) {
        KeptFocus = GetFocus();
        if (GetWindow(other, GW_OWNER) != BarWindow)
            LetKeyboardGo();
        return false;
    }
    if (!KeptFocus || !IsChild(BarWindow, KeptFocus))
        return false;
    SetFocus(KeptFocus);
    return true;
}

static void GiveKeyboardBack()
{
    const HWND back = Returned;
    LetKeyboardGo();
    if (back && IsWindow(back))
        SetForegroundWindow(back);
}

void FollowHotKey()
{
    if (!IsWindowEnabled(BarWindow))
        return;
    if (HoldingKeyboard && GetForegroundWindow() == BarWindow)
        GiveKeyboardBack();
    else
        TakeKeyboard();
}

// The toolbar shows where the keyboard is by its hot button, its first at the start.
void TakeBarKey(WPARAM key)
{
    if (key == VK_ESCAPE) {
        GiveKeyboardBack();
    } else if (key == VK_TAB) {
        const HWND toolbar = GetDlgItem(CommandStrip, IDC_COMMAND_TOOLBAR);
        if (GetFocus() != toolbar && toolbar) {
            SetFocus(toolbar);
            SendMessageA(toolbar, TB_SETHOTITEM, 0, 0);
        } else if (ButtonPanel) {
            FocusLaunchButton(ButtonPanel);
        }
    }
}
