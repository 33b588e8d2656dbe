#include "panel/launch.h"

#include "panel/panel.h"
#include "placement/autohide.h"
#include "shell/barwnd.h"
#include "store/settings.h"
#include "store/slots.h"
#include "text/codepage.h"

INT_PTR OpenSlot(int slot)
{
    ReadSlotRecord(kFileKey, slot, ScratchBuffer, kPathBufferSize);
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
    ReadSlotRecord(kFileKey, slot, ScratchBuffer, kPathBufferSize);
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

static long long StartupSlotCount()
{
    const long long count = (static_cast<long long>(MaxPage) + 1) * ButtonsPerPage;
    return count < kMaxStartupSlots ? count : kMaxStartupSlots;
}

void RunStartupSlots()
{
    StartLaunch = ReadSetting(kStartLaunch);
    if (StartLaunch == 1) {
        const long long count = StartupSlotCount();
        for (int slot = 0; slot < count; ++slot) {
            ReadSlotOptions(slot);
            if (SlotOptions.runAtStart == 1)
                OpenSlot(slot);
        }
    }
    StartAutoHideTimer();
}
