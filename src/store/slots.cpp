#include "store/slots.h"

#include <windows.h>

#include "res/resource.h"
#include "shell/barwnd.h"
#include "store/registry.h"
#include "text/codepage.h"

const char kFileKey[] = "Software\\Quorvane\\korimbel\\File";
const char kTitleKey[] = "Software\\Quorvane\\korimbel\\Title";
const char kOptionKey[] = "Software\\Quorvane\\korimbel\\OptionStr";

char ScratchBuffer[kPathBufferSize];
char OptionBuffer[kOptionBufferSize];
OptionPair SlotOptions;

static char ClipboardFile[kPathBufferSize];
static char ClipboardTitle[kPathBufferSize];
static char ClipboardOptions[kPathBufferSize];

const int kSlotNameSize = 32;
const int kRecordReadSize = 255;

static void SlotName(int slot, char *name)
{
    wsprintfA(name, "%d", slot);
}

// The File and Title keys while a panel is being built; null when not kept or not there.
static bool KeepingKeys;
static HKEY KeptFileKey, KeptTitleKey;

void KeepSlotKeysOpen()
{
    KeepingKeys = true;
}

static void CloseKept(HKEY &kept)
{
    if (kept)
        RegCloseKey(kept);
    kept = nullptr;
}

void CloseSlotKeys()
{
    CloseKept(KeptFileKey);
    CloseKept(KeptTitleKey);
    KeepingKeys = false;
}

static HKEY *KeptKey(const char *key)
{
    if (!KeepingKeys)
        return nullptr;
    return key == kFileKey ? &KeptFileKey : key == kTitleKey ? &KeptTitleKey : nullptr;
}

void ReadSlotRecord(const char *key, int slot, char *buffer, int size)
{
    char name[kSlotNameSize];
    SlotName(slot, name);
    buffer[0] = '\0';
    HKEY *kept = KeptKey(key);
    if (!kept) {
        ReadString(HKEY_CURRENT_USER, key, name, buffer, size);
        return;
    }
    if (!*kept)
        *kept = OpenKeyToRead(HKEY_CURRENT_USER, key);
    ReadStringFrom(*kept, name, buffer, size);
}

static void WriteSlotRecord(const char *key, int slot, const char *text)
{
    char name[kSlotNameSize];
    SlotName(slot, name);
    WriteString(HKEY_CURRENT_USER, key, name, text);
}

static void DeleteSlotRecord(const char *key, int slot)
{
    char name[kSlotNameSize];
    SlotName(slot, name);
    DeleteValue(HKEY_CURRENT_USER, key, name);
}

static void RequestRebuild()
{
    PostMessageA(BarWindow, UM_REBUILD_PANEL, 0, 0);
}

void ReadSlotOptions(int slot)
{
    ReadSlotRecord(kOptionKey, slot, OptionBuffer, kOptionBufferSize);
    if (OptionBuffer[0] == '\0')
        lstrcpyA(OptionBuffer, kOptionTemplate);
    SlotOptions = ParseOptions(OptionBuffer);
}

void WriteSlotOptions(int slot)
{
    FormatOptions(SlotOptions, OptionBuffer);
    WriteSlotRecord(kOptionKey, slot, OptionBuffer);
}

void RegisterDroppedPath(int slot, const char *path)
{
    DeleteSlotRecord(kOptionKey, slot);
    WriteSlotRecord(kFileKey, slot, path);
    char title[kPathBufferSize];
    DeriveTitle(path, title, ActiveLeadBytes());
    WriteSlotRecord(kTitleKey, slot, title);
    RequestRebuild();
}

void DeleteSlot(int slot)
{
    DeleteSlotRecord(kFileKey, slot);
    DeleteSlotRecord(kTitleKey, slot);
    DeleteSlotRecord(kOptionKey, slot);
    RequestRebuild();
}

void CopySlot(int slot)
{
    ReadSlotRecord(kFileKey, slot, ClipboardFile, kRecordReadSize);
    ReadSlotRecord(kTitleKey, slot, ClipboardTitle, kRecordReadSize);
    ReadSlotRecord(kOptionKey, slot, ClipboardOptions, kRecordReadSize);
}

void CutSlot(int slot)
{
    CopySlot(slot);
    DeleteSlot(slot);
}

void PasteSlot(int slot)
{
    WriteSlotRecord(kFileKey, slot, ClipboardFile);
    WriteSlotRecord(kTitleKey, slot, ClipboardTitle);
    WriteSlotRecord(kOptionKey, slot, ClipboardOptions);
    RequestRebuild();
}

int IsExecutableSlot(int slot)
{
    ReadSlotRecord(kFileKey, slot, ScratchBuffer, kPathBufferSize);
    if (ScratchBuffer[0] == '\0')
        return 0;
    LowerCaseSingleBytes(ScratchBuffer, ActiveLeadBytes());
    return FindSubstring(ScratchBuffer, ".exe", ActiveLeadBytes()) != nullptr;
}
