// The keyboard and the bar: the hotkey that brings the bar up and gives the keyboard back, and
// the keys the bar itself takes.
#pragma once

#include <windows.h>

// Registers the hotkey the settings name in place of the one held. None is held where the
// settings name none, or where the system refuses it (another program holds it).
void TakeHotKey();

// Whether another program holds the hotkey of this stored value; the one the bar holds is its own.
bool HotKeyHeldElsewhere(int value);

// The hotkey pressed: the bar takes the keyboard, a hidden bar coming out, and the focus goes to
// its launch button that last had it; pressed while the bar holds it, the keyboard goes back.
// While a dialog of the bar is open the keys are the dialog's, and the hotkey does nothing.
void FollowHotKey();

// The keys of the whole bar: Tab between the toolbar and the panel, Esc gives the keyboard back.
void TakeBarKey(WPARAM key);

// The bar's activation changes (WM_ACTIVATE). Going to a window that is no dialog of the bar's,
// the keyboard is no longer held, and an auto-hiding bar may withdraw. Coming back, the control
// that had the focus takes it again, as in a dialog: true then, and the bar's own window, which
// would take the focus itself, is to do nothing more.
bool FollowBarActivation(WPARAM state, HWND other);
