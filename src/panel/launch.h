// Opening what the slots hold, through the shell.
#pragma once

#include <windows.h>
#include <shellapi.h>

// Hand-edited page counts could make the start-up run and list read the registry for billions
// of slots; no page count the settings offer comes near this.
const long long kMaxStartupSlots = 10000;

// The shell's result (above 32 is success), or 0 when the slot holds no file.
INT_PTR OpenSlot(int slot);

// Starts the slot's program once per dropped file, each with that file as its argument.
void OpenSlotWithDroppedFiles(int slot, HDROP drop);

// Opens the slots marked to run at start, then arms the auto-hide timer.
void RunStartupSlots();
