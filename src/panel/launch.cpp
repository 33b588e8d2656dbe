#include "panel/launch.h"

#include "panel/panel.h"
#include "placement/barwindow.h"
#include "store/settings.h"
#include "store/slots.h"
#include "text/codepage.h"

// Hand-edited page counts could make the start-up run and list read the registry for billions
// of slots; no page count the settings offer comes near this.
static const long long kMaxStartupSlots = 10000;

// The show command for a slot's show-mode digit: anything but minimised or maximised is normal.
static int ShowCommandFor(int showMode)
{
    static const int kShowCommands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    return showMode >= 0 && showMode <= 2 ? kShowCommands[showMode] : SW_SHOWNORMAL;
}

INT_PTR OpenSlot(int slot)
{
    ReadSlotRecord(kFileField, slot, ScratchBuffer, kPathBufferSize);
    ReadSlotOptions(slot);
    const int show = ShowCommandFor(SlotOptions.showMode);
    if (ScratchBuffer[0] == '\0')
        return 0;
    char directory[kPathBufferSize];
    SlotWorkingDirectory(ScratchBuffer, directory, ActiveLeadBytes());
    return reinterpret_cast<INT_PTR>(
        ShellExecuteA(BarWindow, "open", ScratchBuffer, nullptr, directory, show));
}

bool FetchDroppedPath(HDROP drop, UINT index, char *path)
{
    const UINT fetchable = kPathBufferSize - 1; // characters, terminator included
    path[0] = '\0';
    if (DragQueryFileA(drop, index, nullptr, 0) >= fetchable)
        return false;
    DragQueryFileA(drop, index, path, fetchable);
    return true;
}

void OpenSlotWithDroppedFiles(int slot, HDROP drop)
{
    ReadSlotRecord(kFileField, slot, ScratchBuffer, kPathBufferSize);
    char directory[kPathBufferSize];
    SlotWorkingDirectory(ScratchBuffer, directory, ActiveLeadBytes());
    const UINT count = LOWORD(DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0));
    for (UINT i = 0; i < count; ++i) {
        char path[kPathBufferSize];
        if (!FetchDroppedPath(drop, i, path))
            continue;
        char argument[kQuotedPathSize];
        QuoteIfBlank(path, argument);
        ShellExecuteA(BarWindow, "open", ScratchBuffer, argument, directory, SW_SHOWNORMAL);
    }
}

long long StartupSlotCount()
{
    const long long count = (static_cast<long long>(MaxPage) + 1) * ButtonsPerPage;
    return count < kMaxStartupSlots ? count : kMaxStartupSlots;
}

bool RunsAtStart(int slot)
{
    ReadSlotOptions(slot);
    return SlotOptions.runAtStart == 1;
}

void RunStartupSlots()
{
    StartLaunch = ReadSetting(kStartLaunch);
    if (StartLaunch != 1)
        return;
    const long long count = StartupSlotCount();
    for (int slot = 0; slot < count; ++slot)
        if (RunsAtStart(slot))
            OpenSlot(slot);
}
