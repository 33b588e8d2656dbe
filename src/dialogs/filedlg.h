// The system's open and save dialogs, as the bar's dialogs show them.
#pragma once

#include <windows.h>

#include <commdlg.h>

// Shows the open dialog (or the save dialog) for record, its filter and title from the string
// table; true when the user chose a file. The dialogs work in UTF-16: a file may lie in a folder
// the code page cannot name.
bool ShowFileDialog(OPENFILENAMEW *record, bool save, UINT filterText, UINT titleText);
