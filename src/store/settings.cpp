#include "store/settings.h"

#include <shellapi.h>

#include "store/registry.h"
#include "text/codepage.h"
#include "text/paths.h"

const char kRootKey[] = ROOT_KEY_PATH;
const char kCurPathValue[] = "curpath";

const Setting kHideTime = {"HideTime", 200};
const Setting kTimerSound = {"TimerSound", 0};
const Setting kHideMode = {"HideMode", 0};
const Setting kTopMode = {"TopMode", 1};
const Setting kStartExecFlg = {"StartExecFlg", 0};
const Setting kStartLaunch = {"StartLaunch", 1};
const Setting kMaxPage = {"MaxPage", 4};
const Setting kAppBarMode = {"AppBarMode", 2};
const Setting kFloatMode = {"FloatMode", 0};
const Setting kDispPage = {"DispPage", 0};
const Setting kX = {"X", 20};
const Setting kY = {"Y", 20};
const Setting kWidth = {"Width", 0};
const Setting kHeight = {"Height", 0};
const Setting kMonitorX = {"MonitorX", 0};
const Setting kMonitorY = {"MonitorY", 0};

SettingsRecord Settings;

int ReadSetting(const Setting &setting)
{
    return ReadDword(HKEY_CURRENT_USER, kRootKey, setting.name, setting.fallback);
}

bool WriteSetting(const Setting &setting, int value)
{
    return WriteDword(HKEY_CURRENT_USER, kRootKey, setting.name, value) != 0;
}

// The dock edges are the shell's edge codes.
static int ReadDockEdge()
{
    const int edge = ReadSetting(kAppBarMode);
    return edge >= ABE_LEFT && edge <= ABE_BOTTOM ? edge : kAppBarMode.fallback;
}

static int ReadSize(const Setting &setting)
{
    const int size = ReadSetting(setting);
    return size > 0 ? size : 0;
}

void LoadSettings()
{
    Settings.HideTime = ReadSetting(kHideTime);
    Settings.HideMode = ReadSetting(kHideMode) != 0;
    Settings.TopMode = ReadSetting(kTopMode);
    Settings.StartExecFlg = ReadSetting(kStartExecFlg);
    Settings.StartLaunch = ReadSetting(kStartLaunch);
    Settings.MaxPage = ReadSetting(kMaxPage);
    Settings.AppBarMode = ReadDockEdge();
    Settings.FloatMode = ReadSetting(kFloatMode) != 0;
    Settings.DispPage = ReadSetting(kDispPage);
    Settings.X = ReadSetting(kX);
    Settings.Y = ReadSetting(kY);
    Settings.Width = ReadSize(kWidth);
    Settings.Height = ReadSize(kHeight);
    Settings.MonitorX = ReadSetting(kMonitorX);
    Settings.MonitorY = ReadSetting(kMonitorY);
}

void SaveBehaviourSettings()
{
    WriteSetting(kHideTime, Settings.HideTime);
    WriteSetting(kTopMode, Settings.TopMode);
    WriteSetting(kHideMode, Settings.HideMode);
    WriteSetting(kStartLaunch, Settings.StartLaunch);
    WriteSetting(kStartExecFlg, Settings.StartExecFlg);
    WriteSetting(kMaxPage, Settings.MaxPage);
    WriteSetting(kTimerSound, 0);
}

void SaveFloatRect()
{
    WriteSetting(kX, Settings.X);
    WriteSetting(kY, Settings.Y);
    WriteSetting(kWidth, Settings.Width);
    WriteSetting(kHeight, Settings.Height);
}

void SavePlacementSettings()
{
    WriteSetting(kFloatMode, Settings.FloatMode);
    if (Settings.FloatMode != 0)
        SaveFloatRect();
    WriteSetting(kAppBarMode, Settings.AppBarMode);
    WriteSetting(kMonitorX, Settings.MonitorX);
    WriteSetting(kMonitorY, Settings.MonitorY);
    WriteSetting(kDispPage, Settings.DispPage);
}

// Only when the program's own file name is too long to read whole does the current directory
// stand in for its folder; a program started from a system folder (Windows' own startup, say)
// cannot tell where it lives by that, and the folder stored by an earlier start is taken then.
static const char kSystemFolderMark[] = ":\\win";

static bool ReadCurrentDirectory(char *folder)
{
    folder[0] = '\0';
    const DWORD length = GetCurrentDirectoryA(kProgramFolderSize - 1, folder);
    return length > 0 && length < kProgramFolderSize - 1;
}

// The folder korimbel.exe lies in, whatever folder it was started from: the autostart entry
// and the help document must name files that are there.
static bool ReadOwnFolder(HMODULE module, char *folder)
{
    char name[MAX_PATH];
    const DWORD length = GetModuleFileNameA(module, name, MAX_PATH);
    return length > 0 && length < MAX_PATH && FolderOf(name, folder, ActiveLeadBytes());
}

static void ReadStoredFolder(char *folder)
{
    folder[0] = '\0';
    ReadString(HKEY_CURRENT_USER, kRootKey, kCurPathValue, folder, kProgramFolderSize - 1);
}

void ResolveProgramFolder(HMODULE module)
{
    char *folder = Settings.curpath;
    const bool own = ReadOwnFolder(module, folder);
    if (!own && !ReadCurrentDirectory(folder)) {
        ReadStoredFolder(folder);
        return;
    }
    LowerCaseSingleBytes(folder, ActiveLeadBytes());
    if (!own && FindSubstring(folder, kSystemFolderMark, ActiveLeadBytes()))
        ReadStoredFolder(folder);
    else
        WriteString(HKEY_CURRENT_USER, kRootKey, kCurPathValue, folder);
}
