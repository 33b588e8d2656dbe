// The records of the launch buttons: File, Title and OptionStr under the slot number, and the
// operations of the buttons' menu and drops on them. Only the registry is touched here: an
// operation that changes File or Title says so, and its caller has the panel built anew.
#pragma once

#include "store/options.h"
#include "text/paths.h"

// The three records of a slot, each a value under a subkey of the root key of its own.
enum SlotField { kFileField, kTitleField, kOptionField };

extern const char kFileKey[];
extern const char kTitleKey[];
extern const char kOptionKey[];

// A slot's records are named by its number in decimal.
const int kSlotNameSize = 32;
struct SlotName {
    char text[kSlotNameSize];
};
SlotName NameOfSlot(int slot);

// The buffer a record is held in where it is copied or edited whole: 255 bytes, terminator
// included. A longer record reads as empty there.
const int kRecordSize = 255;

// Reads a record of the slot into buffer (size bytes); missing reads as the empty string.
void ReadSlotRecord(SlotField field, int slot, char *buffer, int size);

// Stores text as a record of the slot; false when the registry would not take it.
bool WriteSlotRecord(SlotField field, int slot, const char *text);

// Between these calls the File and Title keys stay open: building a panel reads both records of
// every slot, a move those of two. Nothing may make or delete the keys in between.
void KeepSlotKeysOpen();
void CloseSlotKeys();

// The digits of the slot's OptionStr; a missing one, or one too long to read, reads as the
// template.
OptionPair ReadSlotOptions(int slot);
void WriteSlotOptions(int slot, OptionPair options);

// Each true when it changed File or Title. A dropped file is stored with the title its caller
// derived: the file's long name may give a title where its stored path cannot.
bool RegisterDroppedPath(int slot, const char *path, const char *title);
bool DeleteSlot(int slot);
void CopySlot(int slot);
bool CutSlot(int slot);
bool PasteSlot(int slot);

// A launch button dragged onto another (store/moverule.h): true when the records were to change,
// and the panel needs building anew. Should a write be refused, both slots are put back as they
// were read: a refused move leaves every button where it was.
bool MoveSlot(int from, int to, bool copy);

// Whether the slot's file is a program (its name holds ".exe"), which takes dropped files as
// arguments.
bool IsExecutableSlot(int slot);
