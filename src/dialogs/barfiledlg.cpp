#include "dialogs/barfiledlg.h"

#include "dialogs/filedlg.h"
#include "dialogs/strings.h"
#include "panel/launch.h"
#include "panel/launchbtn.h"
#include "placement/barwindow.h"
#include "placement/floating.h"
#include "res/resource.h"
#include "store/barfile.h"
#include "store/settings.h"

static bool ChooseFile(HWND dialog, bool save, wchar_t *path)
{
    OPENFILENAMEW record;
    ZeroMemory(&record, sizeof record);
    record.hwndOwner = dialog;
    record.lpstrFile = path;
    record.nMaxFile = kWidePathSize;
    record.lpstrDefExt = L"reg";
    record.Flags = OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST
                                            : OFN_FILEMUSTEXIST);
    return ShowFileDialog(&record, save, IDS_BARFILE_FILTER,
                          save ? IDS_EXPORT_TITLE : IDS_IMPORT_TITLE);
}

static void ShowOutcome(HWND dialog, UINT text)
{
    ShowStringTableText(dialog, IDC_BARFILE_STATUS, text);
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
