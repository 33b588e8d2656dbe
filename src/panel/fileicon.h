// The small shell icons of the launch buttons' files.
#pragma once

#include <windows.h>

// A new icon size pixels square of the file's entry in the system's icon lists, for the caller
// to destroy; null when the shell has none for it (a missing file, an unreachable drive).
HICON CreateFileIcon(const char *file, int size);

// Gives back the pictures kept of the files' icons.
void ForgetFileIcons();
