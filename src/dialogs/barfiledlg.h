// The settings dialog's export and import of the whole bar: the system's save and open dialogs,
// the store's file, and one line in the dialog that tells how it went.
#pragma once

#include <windows.h>

// Asks for a file and writes the bar into it.
void ExportBarFrom(HWND dialog);

// Asks for a file and imports it; once the bar has been replaced, the dialog ends with
// CONFIG_IMPORTED, its own settings shown no longer being the bar's.
void ImportBarInto(HWND dialog);

// After an import: the settings the dialog edits are read anew, for the settings command to
// apply as after OK; the bar keeps its place on this screen and stores it over the file's; the
// panel is built anew from the imported buttons.
void TakeImportedBar();
