// Auto-hide: a docked bar withdraws to a strip on its edge once the cursor has left it, and
// comes back when the cursor touches it.
#pragma once

// 1 while the bar sits in its hidden strip.
extern int HiddenFlag;

// A new bar window starts shown, with no tick counted and its first tick still to come.
void ResetAutoHide();

void StartAutoHideTimer();

// Each tick of the bar's timer: hide the bar once the cursor has stayed away.
void AutoHideTick();

// The window system asks the bar for a cursor: bring a hidden bar back.
void RevealBar();
