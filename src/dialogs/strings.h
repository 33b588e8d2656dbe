// The string table's texts in the bar's dialogs. They go through the wide calls, so that they
// read right whatever the system's code page.
#pragma once

#include <windows.h>

// Adds the texts first, first + 1 ... to the dialog's combo box, in that order.
void AddStringTableEntries(HWND dialog, int comboBox, UINT first, int count);

// Shows the text in the dialog's control.
void ShowStringTableText(HWND dialog, int control, UINT text);
