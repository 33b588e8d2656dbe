#include "store/settings.h"

#include <shellapi.h>

#include "store/registry.h"
#include "text/codepage.h"
#include "text/paths.h"

const char kRootKey[] = ROOT_KEY_PATH;
const char kCurPathValue[] = "curpath";
const char kMonitorNameValue[] = "MonitorName";

const Setting kHideTime = {"HideTime", 200};
const Setting kTimerSound = {"TimerSound", 0};
const Setting kHideMode = {"HideMode", 0};
const Setting kTopMode = {"TopMode", 1};
const Setting kStartExecFlg = {"StartExecFlg", 0};
const Setting kStartLaunch = {"StartLaunch", 1};
const Setting kMaxPage = {"MaxPage", 4};
const Setting kHotKey = {"HotKey", 0x064B}; // Ctrl+Alt+K
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

static int ReadSettingFrom(HKEY key, const Setting &setting)
{
    return ReadDwordFrom(key, setting.name, setting.fallback);
}

static void LoadBehaviourFrom(HKEY key)
{
    Settings.HideTime = ReadSettingFrom(key, kHideTime);
    Settings.HideMode = ReadSettingFrom(key, kHideMode) != 0;
    Settings.TopMode = ReadSettingFrom(key, kTopMode);
    Settings.StartExecFlg = ReadSettingFrom(key, kStartExecFlg);
    Settings.StartLaunch = ReadSettingFrom(key, kStartLaunch);
    Settings.MaxPage = ReadSettingFrom(key, kMaxPage);
    Settings.HotKey = ReadSettingFrom(key, kHotKey);
}

void LoadBehaviourSettings()
{
    const HKEY key = OpenKeyToRead(HKEY_CURRENT_USER, kRootKey);
    LoadBehaviourFrom(key);
    if (key)
        RegCloseKey(key);
}

// The dock edges are the shell's edge codes. One key opened for all the values: each open is a
// call to the system that the bar's start waits for.
void LoadSettings()
{
    const HKEY key = OpenKeyToRead(HKEY_CURRENT_USER, kRootKey);
    const int edge = ReadSettingFrom(key, kAppBarMode);
    const int width = ReadSettingFrom(key, kWidth), height = ReadSettingFrom(key, kHeight);
    LoadBehaviourFrom(key);
    Settings.AppBarMode = edge >= ABE_LEFT && edge <= ABE_BOTTOM ? edge : kAppBarMode.fallback;
    Settings.FloatMode = ReadSettingFrom(key, kFloatMode) != 0;
    Settings.DispPage = ReadSettingFrom(key, kDispPage);
    Settings.X = ReadSettingFrom(key, kX);
    Settings.Y = ReadSettingFrom(key, kY);
    Settings.Width = width > 0 ? width : 0;
    Settings.Height = height > 0 ? height : 0;
    Settings.MonitorX = ReadSettingFrom(key, kMonitorX);
    Settings.MonitorY = ReadSettingFrom(key, kMonitorY);
    Settings.MonitorName[0] = '\0';
    ReadStringFrom(key, kMonitorNameValue, Settings.MonitorName, sizeof Settings.MonitorName);
    if (key)
        RegCloseKey(key);
}

void SaveBehaviourSettings()
{
    WriteSetting(kHideTime, Settings.HideTime);
    WriteSetting(kTopMode, Settings.TopMode);
    WriteSetting(kHideMode, Settings.HideMode);
    WriteSetting(kStartLaunch, Settings.StartLaunch);
    WriteSetting(kStartExecFlg, Settings.StartExecFlg);
    WriteSetting(kMaxPage, Settings.MaxPage);
    WriteSetting(kHotKey, Settings.HotKey);
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
    WriteString(HKEY_CURRENT_USER, kRootKey, kMonitorNameValue, Settings.MonitorName);
    WriteSetting(kDispPage, Settings.DispPage);
}

// Only when the program's own file name is too long to read whole does the current directory
// stand in for its folder; a program started from a system folder (Windows' own startup, say)
// cannot tell where it lives by that, and the folder stored by an earlier start is taken then.
static const char kSystemFolderMark[] = ":\\win";

static bool ReadCurrentDirectory(char *folder)
{
    wchar_t wide[kWidePathSize];
    const DWORD length = GetCurrentDirectoryW(kWidePathSize, wide);
    return length > 0 && length < kWidePathSize && AnsiPathOf(wide, folder);
}

// The folder korimbel.exe lies in, whatever folder it was started from: the autostart entry
// and the help document must name files that are there. Both are read in UTF-16: a folder the
// code page cannot name is named by its short form.
static bool ReadOwnFolder(HMODULE module, char *folder)
{
    wchar_t wide[kWidePathSize];
    char name[kPathBufferSize];
    const DWORD length = GetModuleFileNameW(module, wide, kWidePathSize);
    return length > 0 && length < kWidePathSize && AnsiPathOf(wide, name) &&
           FolderOf(name, folder, ActiveLeadBytes());
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
