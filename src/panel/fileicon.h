// The small shell icons of the launch buttons' files.
#pragma once

#include <windows.h>

// A new icon of the file's entry in the system's small-icon list, for the caller to destroy;
// null when the shell has none for it (a missing file, an unreachable drive).
HICON CreateFileIcon(const char *file);

// Gives back the pictures kept of the files' icons.
void ForgetFileIcons();
