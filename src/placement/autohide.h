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

// The bar window's auto-hide timer, ticking every HideTime milliseconds while the bar lives.
// Starting it again restarts it with the period now set.
void StartAutoHideTimer();
void StopAutoHideTimer();

// Each tick of the bar's timer: hide the bar once the cursor has stayed away.
void AutoHideTick();

// The window system asks the bar for a cursor: bring a hidden bar back, unless a full-screen
// program is in front; the shell does not tell a bar that it never registered about those.
void RevealBar();
