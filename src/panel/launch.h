// Opening what the slots hold, through the shell.
#pragma once

#include <windows.h>
#include <shellapi.h>

// The shell's result (above 32 is success), or 0 when the slot holds no file.
INT_PTR OpenSlot(int slot);

// Fetches dropped path number index into path (kPathBufferSize bytes; the shell fills at most
// 255 of them). False for a path too long for that: cut short, it would name some other file.
bool FetchDroppedPath(HDROP drop, UINT index, char *path);

// Starts the slot's program once per dropped file, each with that file as its argument; a path
// too long to fetch whole is passed over.
void OpenSlotWithDroppedFiles(int slot, HDROP drop);

// The slots the start-up run and the start-up list look at: every slot of every page, from 0.
long long StartupSlotCount();

// Whether the slot is marked to be opened when the bar starts. Reads its options.
bool RunsAtStart(int slot);

// Opens the slots marked to run at start.
void RunStartupSlots();
