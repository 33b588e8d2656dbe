#include "panel/launch.h"

#include <cwchar>

#include "placement/barwindow.h"
#include "store/slots.h"
#include "system/syslib.h"
#include "text/codepage.h"

// The show command for a slot's show-mode digit: anything but minimised or maximised is normal.
static int ShowCommandFor(int showMode)
{
    static const int kShowCommands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    return showMode >= 0 && showMode <= 2 ? kShowCommands[showMode] : SW_SHOWNORMAL;
}

// Looked up once: the system folder and its 64-bit alias, while the bar runs under WOW64.
static struct {
    bool known, redirected;
    char system[MAX_PATH], native[MAX_PATH];
} SystemFolder;

void ReachableFile(const char *stored, char *file)
{
    if (!SystemFolder.known) {
        SystemFolder.redirected = FindNativeSystemFolder(SystemFolder.system, SystemFolder.native);
        SystemFolder.known = true;
    }
    if (!SystemFolder.redirected ||
        !ThroughAlias(stored, SystemFolder.system, SystemFolder.native, file, ActiveLeadBytes()))
        lstrcpynA(file, stored, kPathBufferSize);
}

// The working directory is the stored folder: the program started may be a 64-bit one, for
// which the alias names no folder.
INT_PTR OpenSlot(int slot)
{
    char stored[kPathBufferSize], file[kPathBufferSize];
    ReadSlotRecord(kFileField, slot, stored, kPathBufferSize);
    const int show = ShowCommandFor(ReadSlotOptions(slot).showMode);
    if (stored[0] == '\0')
        return 0;
    char directory[kPathBufferSize];
    FolderOf(stored, directory, ActiveLeadBytes());
    ReachableFile(stored, file);
    return reinterpret_cast<INT_PTR>(
        ShellExecuteA(BarWindow, "open", file, nullptr, directory, show));
}

void TitleOf(const wchar_t *wide, const char *path, char *title)
{
    const wchar_t *separator = std::wcsrchr(wide, L'\\');
    if (ConvertExactly(separator ? separator + 1 : wide, title, kRecordSize))
        CutExtension(title, ActiveLeadBytes());
    else
        DeriveTitle(path, title, ActiveLeadBytes());
}

bool FetchDroppedPath(HDROP drop, UINT index, wchar_t *wide, char *path)
{
    wide[0] = L'\0';
    path[0] = '\0';
    if (DragQueryFileW(drop, index, nullptr, 0) >= static_cast<UINT>(kWidePathSize))
        return false;
    DragQueryFileW(drop, index, wide, kWidePathSize);
    return AnsiPathOf(wide, path);
}

// The program's path is read once, before the first launch: whatever runs inside the shell's calls
// cannot change what the later files are handed to.
void OpenSlotWithDroppedFiles(int slot, HDROP drop)
{
    char stored[kPathBufferSize], program[kPathBufferSize];
    ReadSlotRecord(kFileField, slot, stored, kPathBufferSize);
    char directory[kPathBufferSize];
    FolderOf(stored, directory, ActiveLeadBytes());
    ReachableFile(stored, program);
    const UINT count = LOWORD(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0));
    for (UINT i = 0; i < count; ++i) {
        wchar_t wide[kWidePathSize];
        char path[kPathBufferSize];
        if (!FetchDroppedPath(drop, i, wide, path))
            continue;
        char argument[kQuotedPathSize];
        QuoteIfBlank(path, argument);
        ShellExecuteA(BarWindow, "open", program, argument, directory, SW_SHOWNORMAL);
    }
}

bool RunsAtStart(int slot)
{
    return ReadSlotOptions(slot).runAtStart == 1;
}
