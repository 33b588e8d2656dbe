#include "dialogs/filedlg.h"

#include "placement/barwindow.h"
#include "system/syslib.h"

const int kFileDialogText = 128;

// The dialogs' library is loaded the first time one is shown, so that the bar starts without it.
// A filter's parts are kept in one string, each ended by "#", which becomes the separating zero.
bool ShowFileDialog(OPENFILENAMEW *record, bool save, UINT filterText, UINT titleText)
{
    typedef BOOL(WINAPI * FileDialog)(OPENFILENAMEW *);
    static const HMODULE library = LoadSystemLibrary("comdlg32.dll");
    const FileDialog show = reinterpret_cast<FileDialog>(reinterpret_cast<void *>(
        GetProcAddress(library, save ? "GetSaveFileNameW" : "GetOpenFileNameW")));
    wchar_t filter[kFileDialogText], title[kFileDialogText];
    const int length = LoadStringW(Instance, filterText, filter, kFileDialogText - 1);
    for (int i = 0; i < length; ++i)
        if (filter[i] == L'#')
            filter[i] = L'\0';
    filter[length] = L'\0';
    LoadStringW(Instance, titleText, title, kFileDialogText);
    record->lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    record->lpstrFilter = filter;
    record->lpstrTitle = title;
    const bool chosen = library && show && show(record) == TRUE;
    record->lpstrFilter = record->lpstrTitle = nullptr; // they end here
    return chosen;
}
