// Opening what the slots hold, through the shell.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "text/codepage.h"

// The stored file as the bar opens, draws and checks it, into file (kPathBufferSize bytes): a
// 32-bit program on 64-bit Windows is sent from the system folder to the 32-bit one, but the user
// registered what Explorer shows there, the 64-bit one; a path there is named through its alias.
// Other paths as stored.
void ReachableFile(const char *stored, char *file);

// The shell's result (above 32 is success), or 0 when the slot holds no file.
INT_PTR OpenSlot(int slot);

// The title of a file named wide (a path, or a name alone) and stored as path (from AnsiPathOf):
// its long name without the extension where that converts exactly, else its short name's.
// title holds kPathBufferSize bytes.
void TitleOf(const wchar_t *wide, const char *path, char *title);

// Fetches dropped file number index: its name as the shell gives it into wide (kWidePathSize)
// and the path to use into path (AnsiPathOf). False when there is none to use.
bool FetchDroppedPath(HDROP drop, UINT index, wchar_t *wide, char *path);

// Starts the slot's program once per dropped file, each with that file as its argument; a file
// without a path to use is passed over.
void OpenSlotWithDroppedFiles(int slot, HDROP drop);

// Whether the slot is marked to be opened when the bar starts. Reads its options.
bool RunsAtStart(int slot);
