#include "store/settings.h"

#include "store/registry.h"

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

int HideTime, TimerSound, HideMode, TopMode, StartExecFlg, StartLaunch, MaxPage, AppBarMode,
    FloatMode, DispPage, MonitorX, MonitorY;
char ProgramFolder[kProgramFolderSize];

int ReadSetting(const Setting &setting)
{
    return ReadDword(HKEY_CURRENT_USER, kRootKey, setting.name, setting.fallback);
}

void WriteSetting(const Setting &setting, int value)
{
    WriteDword(HKEY_CURRENT_USER, kRootKey, setting.name, value);
}
