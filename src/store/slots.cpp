#include "store/slots.h"

#include <windows.h>

#include "store/moverule.h"
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

// A slot's three records, by field, in the buffers the panel reads them into; a missing record
// reads as empty.
struct SlotRecords {
    char text[kOptionField + 1][kPathBufferSize];
};

static void ReadRecords(int slot, SlotRecords *records)
{
    for (int field = kFileField; field <= kOptionField; ++field)
        ReadSlotRecord(static_cast<SlotField>(field), slot, records->text[field], kPathBufferSize);
}

// What the panel shows as a button: a file or a title.
static bool Filled(const SlotRecords &records)
{
    return records.text[kFileField][0] != '\0' || records.text[kTitleField][0] != '\0';
}

// An empty record is removed, so that a slot moved away leaves nothing behind.
static bool PutRecords(int slot, const SlotRecords &records)
{
    bool put = true;
    for (int field = kFileField; field <= kOptionField; ++field) {
        const SlotField f = static_cast<SlotField>(field);
        const char *text = records.text[field];
        put = (text[0] != '\0' ? WriteSlotRecord(f, slot, text) : DeleteSlotRecord(f, slot)) && put;
    }
    return put;
}

bool MoveSlot(int from, int to, bool copy)
{
    SlotRecords source, target;
    KeepSlotKeysOpen();
    ReadRecords(from, &source);
    ReadRecords(to, &target);
    CloseSlotKeys();
    const SlotMove move = RuleOfSlotMove(from == to, Filled(source), Filled(target), copy);
    if (move == kLeaveSlots)
        return false;
    if (!PutRecords(to, source) || (move == kTradeSlots && !PutRecords(from, target))) {
        PutRecords(to, target);
        PutRecords(from, source);
    }
    return true;
}

bool IsExecutableSlot(int slot)
{
    char file[kPathBufferSize];
    ReadSlotRecord(kFileField, slot, file, kPathBufferSize);
    LowerCaseSingleBytes(file, ActiveLeadBytes());
    return FindSubstring(file, ".exe", ActiveLeadBytes()) != nullptr;
}
