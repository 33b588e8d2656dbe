// Auto-hide: a docked bar withdraws to a strip on its edge once the cursor has left it, and
// comes back when the cursor touches it.
#pragma once

// A new bar window starts shown, with no tick counted and its first tick still to come.
void ResetAutoHide();

// Taken at every positioning of an auto-hiding bar: the rectangle it was just given is where it
// shows, and the strip of it on the screen edge is where it hides.
void RecordAutoHideRects(int edge);

// A hidden bar positioned anew (the screen or the shell changed) goes on hiding, in its new strip.
void KeepHiddenBarHidden();

// The bar window's auto-hide timer ticks every Settings.HideTime milliseconds from the bar's late
// start to its end, but only while a tick can change what the bar does: not while the bar floats,
// not while it sits in its strip, and with auto-hide off only until a tick has counted the cursor
// away (from then on it would hide at the first tick after auto-hide is switched on).
void StartAutoHideTimer();
void StopAutoHideTimer();

// After the floating or the auto-hide flag may have changed: the timer runs or rests as the bar
// now needs it. A restart (a new period) starts a running timer again.
void FollowAutoHideMode(bool restart);

// Each tick of the bar's timer: hide the bar once the cursor has stayed away.
void AutoHideTick();

// The keyboard holds the bar out: a hidden bar comes back, full screen or not, and no tick hides
// it. Let go, the ticks count from then, as when the cursor has just left.
void HoldBarOut(bool hold);

// The window system asks the bar for a cursor: bring a hidden bar back, unless a full-screen
// program is in front; the shell does not tell a bar that it never registered about those.
void RevealBar();
