#include "dialogs/strings.h"

#include "placement/barwindow.h"

const int kStringSize = 128;

void AddStringTableEntries(HWND dialog, int comboBox, UINT first, int count)
{
    wchar_t text[kStringSize];
    for (int i = 0; i < count; ++i) {
        LoadStringW(Instance, first + i, text, kStringSize);
        SendDlgItemMessageW(dialog, comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
}

void ShowStringTableText(HWND dialog, int control, UINT text)
{
    wchar_t line[kStringSize];
    LoadStringW(Instance, text, line, kStringSize);
    SetDlgItemTextW(dialog, control, line);
}
