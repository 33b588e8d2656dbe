#include "store/autostart.h"

#include "store/registry.h"
#include "text/paths.h"

static const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\run";
static const char kUserRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
static const char kRunValue[] = "quorvane_korimbel";

// A value that could not be deleted counts only while it is there.
static bool Remains(HKEY hive, const char *path)
{
    return !DeleteValue(hive, path, kRunValue) && ValueExists(hive, path, kRunValue);
}

bool AutostartRemains(HKEY machine)
{
    return ValueExists(machine, kRunKey, kRunValue);
}

bool ApplyAutostart(HKEY machine, bool on, const char *folder)
{
    if (!on) {
        const bool machineWide = Remains(machine, kRunKey);
        return Remains(HKEY_CURRENT_USER, kUserRunKey) || machineWide;
    }
    char entry[kPathBufferSize];
    if (!FormRunEntry(folder, entry))
        return false;
    return WriteString(machine, kRunKey, kRunValue, entry) ||
           WriteString(HKEY_CURRENT_USER, kUserRunKey, kRunValue, entry);
}
