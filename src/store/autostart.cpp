#include "store/autostart.h"

#include "store/registry.h"
#include "text/paths.h"

static const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\run";
static const char kUserRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
static const char kRunValue[] = "quorvane_korimbel";

void ApplyAutostart(HKEY machine, bool on, const char *folder)
{
    if (!on) {
        DeleteValue(machine, kRunKey, kRunValue);
        DeleteValue(HKEY_CURRENT_USER, kUserRunKey, kRunValue);
        return;
    }
    char entry[kPathBufferSize];
    if (!FormRunEntry(folder, entry))
        return;
    if (!WriteString(machine, kRunKey, kRunValue, entry))
        WriteString(HKEY_CURRENT_USER, kUserRunKey, kRunValue, entry);
}
