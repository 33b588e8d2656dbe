// The records of the launch buttons: File, Title and OptionStr under the slot number, and the
// operations of the buttons' menu and drops on them.
#pragma once

#include "store/options.h"
#include "text/paths.h"

extern const char kFileKey[];
extern const char kTitleKey[];
extern const char kOptionKey[];

// One process-wide buffer for a string just read or formed; nothing keeps it between uses.
extern char ScratchBuffer[kPathBufferSize];

// The OptionStr text last read or built, and the digits of the slot last read.
extern char OptionBuffer[kOptionBufferSize];
extern OptionPair SlotOptions;

// Reads a record of the slot into buffer (size bytes); missing reads as the empty string.
void ReadSlotRecord(const char *key, int slot, char *buffer, int size);

// Between these calls the File and Title keys, once opened, stay open: building a panel reads
// both records of every slot, and under Wine opening and closing a key cost twice the read.
// Nothing may delete the keys in between.
void KeepSlotKeysOpen();
void CloseSlotKeys();

void ReadSlotOptions(int slot);
void WriteSlotOptions(int slot);
void RegisterDroppedPath(int slot, const char *path);
void DeleteSlot(int slot);
void CopySlot(int slot);
void CutSlot(int slot);
void PasteSlot(int slot);
int IsExecutableSlot(int slot);
