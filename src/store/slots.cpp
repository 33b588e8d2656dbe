#include "store/slots.h"

#include <windows.h>

#include "store/registry.h"
#include "store/settings.h"
#include "text/codepage.h"

const char kFileKey[] = ROOT_KEY_PATH "\\File";
const char kTitleKey[] = ROOT_KEY_PATH "\\Title";
const char kOptionKey[] = ROOT_KEY_PATH "\\OptionStr";

static const char *const kRecordKeys[] = {kFileKey, kTitleKey, kOptionKey};

static char ClipboardFile[kPathBufferSize];
static char ClipboardTitle[kPathBufferSize];
static char ClipboardOptions[kPathBufferSize];

SlotName NameOfSlot(int slot)
{
    SlotName name;
    wsprintfA(name.text, "%d", slot);
    return name;
}

// The File and Title keys, by field, while a panel is being built; null when not kept or not
// there. OptionStr is never kept.
static bool KeepingKeys;
static HKEY KeptKeys[kOptionField];

void KeepSlotKeysOpen()
{
    for (int field = 0; field < kOptionField; ++field)
        KeptKeys[field] = OpenKeyToRead(HKEY_CURRENT_USER, kRecordKeys[field]);
    KeepingKeys = true;
}

void CloseSlotKeys()
{
    for (HKEY &kept : KeptKeys) {
        if (kept)
            RegCloseKey(kept);
        kept = nullptr;
    }
    KeepingKeys = false;
}

void ReadSlotRecord(SlotField field, int slot, char *buffer, int size)
{
    const SlotName name = NameOfSlot(slot);
    buffer[0] = '\0';
    if (KeepingKeys && field != kOptionField)
        ReadStringFrom(KeptKeys[field], name.text, buffer, size);
    else
        ReadString(HKEY_CURRENT_USER, kRecordKeys[field], name.text, buffer, size);
}

bool WriteSlotRecord(SlotField field, int slot, const char *text)
{
    return WriteString(HKEY_CURRENT_USER, kRecordKeys[field], NameOfSlot(slot).text, text) != 0;
}

static bool DeleteSlotRecord(SlotField field, int slot)
{
    return DeleteValue(HKEY_CURRENT_USER, kRecordKeys[field], NameOfSlot(slot).text) != 0;
}

OptionPair ReadSlotOptions(int slot)
{
    char text[kOptionBufferSize];
    ReadSlotRecord(kOptionField, slot, text, kOptionBufferSize);
    return ParseOptions(text);
}

void WriteSlotOptions(int slot, OptionPair options)
{
    char text[kOptionBufferSize];
    FormatOptions(options, text);
    WriteSlotRecord(kOptionField, slot, text);
}

bool RegisterDroppedPath(int slot, const char *path, const char *title)
{
    DeleteSlotRecord(kOptionField, slot);
    const bool file = WriteSlotRecord(kFileField, slot, path);
    const bool titled = WriteSlotRecord(kTitleField, slot, title);
    return file || titled;
}

bool DeleteSlot(int slot)
{
    const bool file = DeleteSlotRecord(kFileField, slot);
    const bool title = DeleteSlotRecord(kTitleField, slot);
    DeleteSlotRecord(kOptionField, slot);
    return file || title;
}

void CopySlot(int slot)
{
    ReadSlotRecord(kFileField, slot, ClipboardFile, kRecordSize);
    ReadSlotRecord(kTitleField, slot, ClipboardTitle, kRecordSize);
    ReadSlotRecord(kOptionField, slot, ClipboardOptions, kRecordSize);
}

bool CutSlot(int slot)
{
    CopySlot(slot);
    return DeleteSlot(slot);
}

bool PasteSlot(int slot)
{
    const bool file = WriteSlotRecord(kFileField, slot, ClipboardFile);
    const bool title = WriteSlotRecord(kTitleField, slot, ClipboardTitle);
    WriteSlotRecord(kOptionField, slot, ClipboardOptions);
    return file || title;
}

bool IsExecutableSlot(int slot)
{
    char file[kPathBufferSize];
    ReadSlotRecord(kFileField, slot, file, kPathBufferSize);
    LowerCaseSingleBytes(file, ActiveLeadBytes());
    return FindSubstring(file, ".exe", ActiveLeadBytes()) != nullptr;
}
