// The bar's settings under the current user's root key: names, defaults, and the process-wide
// copies the rest of the program works with.
#pragma once

// Everything the bar keeps lies under this key of the current user; the slot records' keys are
// its subkeys.
#define ROOT_KEY_PATH "Software\\Quorvane\\korimbel"
extern const char kRootKey[];
extern const char kCurPathValue[];

struct Setting {
    const char *name;
    int fallback;
};

extern const Setting kHideTime, kTimerSound, kHideMode, kTopMode, kStartExecFlg, kStartLaunch,
    kMaxPage, kAppBarMode, kFloatMode, kDispPage, kX, kY, kWidth, kHeight, kMonitorX, kMonitorY;

int ReadSetting(const Setting &setting);
void WriteSetting(const Setting &setting, int value);

// Process-wide copies, named as stored.
extern int HideTime;     // auto-hide timer period, milliseconds
extern int TimerSound;   // kept for the settings dialog only
extern int HideMode;     // auto-hide flag
extern int TopMode;      // 1 keeps the bar in the topmost band
extern int StartExecFlg; // start with Windows
extern int StartLaunch;  // open the run-at-start slots when the bar starts
extern int MaxPage;      // highest page number
extern int AppBarMode;   // dock edge, also the floating bar's orientation
extern int FloatMode;    // floating flag, 0 or 1
extern int DispPage;     // current page
// The top-left corner of the monitor the bar docks on; (0, 0) is always the primary monitor's.
extern int MonitorX, MonitorY;

// The program folder: lower-cased, stored as curpath, base of the autostart entry.
const int kProgramFolderSize = 256;
extern char ProgramFolder[kProgramFolderSize];
