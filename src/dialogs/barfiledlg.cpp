#include "dialogs/barfiledlg.h"

#include <commdlg.h>

#include "panel/launch.h"
#include "panel/launchbtn.h"
#include "placement/barwindow.h"
#include "placement/floating.h"
#include "res/resource.h"
#include "store/barfile.h"
#include "store/settings.h"
#include "system/syslib.h"

const int kTextSize = 128;

typedef BOOL(WINAPI *FileDialog)(OPENFILENAMEW *);

// The file dialogs' library is loaded the first time the user exports or imports, so that the
// bar starts without it.
static FileDialog FindFileDialog(const char *name)
{
    return reinterpret_cast<FileDialog>(
        reinterpret_cast<void *>(GetProcAddress(LoadSystemLibrary("comdlg32.dll"), name)));
}

// The filter's parts are kept in one string, each ended by "#", which becomes the separating
// zero.
static void LoadFilter(wchar_t *filter)
{
    const int length = LoadStringW(Instance, IDS_BARFILE_FILTER, filter, kTextSize - 1);
    for (int i = 0; i < length; ++i) {
        if (filter[i] == L'#')
            filter[i] = L'\0';
    }
    filter[length] = L'\0';
}

// The dialogs work in UTF-16: the file may lie in a folder the code page cannot name.
static bool ChooseFile(HWND dialog, bool save, wchar_t *path)
{
    static const FileDialog saveDialog = FindFileDialog("GetSaveFileNameW");
    static const FileDialog openDialog = FindFileDialog("GetOpenFileNameW");
    wchar_t filter[kTextSize], title[kTextSize];
    LoadFilter(filter);
    LoadStringW(Instance, save ? IDS_EXPORT_TITLE : IDS_IMPORT_TITLE, title, kTextSize);
    OPENFILENAMEW record;
    ZeroMemory(&record, sizeof record);
    record.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    record.hwndOwner = dialog;
    record.lpstrFilter = filter;
    record.lpstrFile = path;
    record.nMaxFile = kWidePathSize;
    record.lpstrTitle = title;
    record.lpstrDefExt = L"reg";
    record.Flags = OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST
                                            : OFN_FILEMUSTEXIST);
    const FileDialog show = save ? saveDialog : openDialog;
    return show && show(&record) == TRUE;
}

static void ShowOutcome(HWND dialog, UINT text)
{
    char line[kTextSize];
    LoadStringA(Instance, text, line, kTextSize);
    SetDlgItemTextA(dialog, IDC_BARFILE_STATUS, line);
}

void ExportBarFrom(HWND dialog)
{
    wchar_t path[kWidePathSize] = L"korimbel.reg";
    if (ChooseFile(dialog, true, path))
        ShowOutcome(dialog, ExportBar(path) == kBarFileDone ? IDS_BAR_EXPORTED
                                                            : IDS_BAR_NOT_EXPORTED);
}

void ImportBarInto(HWND dialog)
{
    wchar_t path[kWidePathSize] = L"";
    if (!ChooseFile(dialog, false, path))
        return;
    const BarFileResult result = ImportBar(path);
    if (result == kBarFileDone)
        EndDialog(dialog, CONFIG_IMPORTED);
    else
        ShowOutcome(dialog, IDS_IMPORT_REFUSED + result);
}

void TakeImportedBar()
{
    LoadBehaviourSettings();
    SavePlacement();
    RequestPanelRebuild();
}
