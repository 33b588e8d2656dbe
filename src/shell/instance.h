// Start-up of the one bar of this desktop.
#pragma once

#include <windows.h>

// The bar window's class; its atom, or 0 when it could not be registered.
ATOM RegisterBarClass(HINSTANCE instance);

// Takes the session's bar mutex, held until ReleaseSingleBar; null when another start holds it
// already (or it cannot be made).
HANDLE ClaimSingleBar();
void ReleaseSingleBar(HANDLE claim);

// Creates and shows the bar window. 0 when a bar already runs on this desktop or the window
// could not be made, else 1.
int StartInstance(HINSTANCE instance, int showCommand);
