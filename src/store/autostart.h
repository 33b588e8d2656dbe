// The entry that has Windows start the bar: a value under a Run key.
#pragma once

#include <windows.h>

// Writes (on) or deletes (off) the autostart entry for the program in folder under hive's Run
// key. Where the machine-wide key cannot be written (a standard user), the current user's Run key
// takes the entry; off deletes both. An empty folder, or one too long for the entry, writes
// nothing. Whether Windows starts the bar now: an entry that this user cannot delete (the
// machine-wide one of a standard user) still starts it.
bool ApplyAutostart(HKEY machine, bool on, const char *folder);

// Whether the machine-wide entry is there (written by this bar or another start of it, whatever
// the settings say).
bool AutostartRemains(HKEY machine);
