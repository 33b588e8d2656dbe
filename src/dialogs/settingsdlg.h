// The settings dialog and the settings command, which applies what changed to the running bar.
#pragma once

#include <windows.h>

// Command 40006: remembers what needs live application, runs the dialog, applies the changes.
void RunSettingsCommand();

// Writes (on) or deletes (off) the autostart entry under hive's Run key. Where the machine-wide
// key cannot be written (a standard user), the current user's Run key takes the entry; off
// deletes both.
void ApplyAutostart(HKEY machine, bool on);
