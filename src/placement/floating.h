// Dragging the bar to an edge or into the open, and the floating bar's geometry, kept in the
// settings X, Y, Width and Height.
#pragma once

#include <windows.h>

// Takes the bar window's style as created, before docking changes it: what a floating bar wears.
void RememberFloatingStyle();

// Moves the bar to its stored floating rectangle, read anew each time, brought onto the work area
// of the monitor it lies on most, or the nearest.
void RestoreFloatGeometry();

// The monitors changed: a docked bar takes its edge of its monitor anew (of the primary monitor
// when its own is gone), a floating bar no longer wholly on a monitor's work area comes onto the
// nearest one.
void FollowDisplayChange();

// The work area changed (the taskbar moved, sized or began to auto-hide, an app bar came or
// went): an auto-hiding bar reads the taskbar again, a floating bar no longer wholly on its
// monitor's work area comes onto it. A registered bar hears of it from the shell.
void FollowWorkArea();

// The bar window's move or size loop: its start, each move (the proposed rectangle is
// rewritten) and its end, which docks the bar or lets it float.
void BeginBarDrag();
void TrackBarDrag(RECT *proposed);
void EndBarDrag();

// Stores the floating flag, the floating rectangle (as the window stands) while floating, the dock
// edge, the monitor and the page.
void SavePlacement();

// Keeps a floating bar's thickness after any change of its position or size.
void NormalizeFloatingBar();

// The smallest size a floating bar may be given: its fixed thickness must be reachable.
void LimitFloatingTrackSize(MINMAXINFO *limits);
