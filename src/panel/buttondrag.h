// A launch button dragged onto another: the loop that follows the pointer from the moment the
// press has left the system's drag distance until the release.
#pragma once

#include <windows.h>

// The slot of a launch button, or -1 for any other window.
typedef int (*SlotOfWindow)(HWND window);

// Whether a pointer pressed at press (client coordinates) and now at now has left the system's
// drag distance, the distance within which a press and release is still a click.
bool LeftDragDistance(POINT press, POINT now);

// Follows the drag of the slot's button with the mouse captured by the bar, which outlives the
// buttons: the launch button under the pointer shows itself pushed; the pointer held on the
// command strip's previous- or next-page button turns the page every half second; a release
// over another launch button moves the slot there (MoveSlot), copying while Ctrl is held. Esc
// (the drag then waits for the release), a release anywhere else, or the capture taken away
// ends it with nothing changed. True when
// the slots changed. The buttons, the source's too, may have been destroyed when it returns.
bool DragSlot(int slot, SlotOfWindow slotOf);
