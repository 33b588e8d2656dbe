// The bar's settings under the current user's root key: their names and defaults, and the one
// record of them the running bar works with.
#pragma once

#include <windows.h>

// Everything the bar keeps lies under this key of the current user; the slot records' keys are
// its subkeys.
#define ROOT_KEY_PATH "Software\\Quorvane\\korimbel"
extern const char kRootKey[];
extern const char kCurPathValue[];
extern const char kMonitorNameValue[];

struct Setting {
    const char *name;
    int fallback;
};

extern const Setting kHideTime, kTimerSound, kHideMode, kTopMode, kStartExecFlg, kStartLaunch,
    kMaxPage, kHotKey, kAppBarMode, kFloatMode, kDispPage, kX, kY, kWidth, kHeight, kMonitorX,
    kMonitorY;

int ReadSetting(const Setting &setting);
// Whether the registry took the value.
bool WriteSetting(const Setting &setting, int value);

const int kProgramFolderSize = 256;

// The settings of the running bar, named as stored. Read once as the bar is created; from then on
// each field is changed only by the module that acts on it: the settings dialog the behaviour,
// the placement the edge, the monitor, the floating flag and rectangle, the panel the page.
struct SettingsRecord {
    int HideTime;            // auto-hide timer period, milliseconds
    int HideMode;            // auto-hide, 0 or 1
    int TopMode;             // 1 keeps the bar in the topmost band
    int StartExecFlg;        // start with Windows
    int StartLaunch;         // open the run-at-start slots when the bar starts
    int MaxPage;             // highest page number
    int HotKey;              // the hotkey that brings the bar up (store/hotkey.h); 0 for none
    int AppBarMode;          // dock edge, also the floating bar's orientation
    int FloatMode;           // floating flag, 0 or 1
    int DispPage;            // current page
    int X, Y, Width, Height; // the floating rectangle; no side below 0
    // The top-left corner of the monitor the bar docks on; (0, 0) is always the primary monitor's.
    int MonitorX, MonitorY;
    // That monitor's device name, empty where none is known: it names the monitor still when a
    // monitor left of it changed its mode or the primary changed, which moves its corner.
    char MonitorName[CCHDEVICENAME];
    // The program folder: lower-cased, base of the autostart entry and of the help document.
    char curpath[kProgramFolderSize];
};
extern SettingsRecord Settings;

// Defaults, then what is stored, each value made sound: an unknown dock edge gives way to the
// right edge, a floating or auto-hide flag other than 0 counts as 1 (and is saved as 1), a
// negative floating size as none. The program folder is not read here (ResolveProgramFolder).
void LoadSettings();

// The part of LoadSettings that the settings dialog edits: what an import of the whole bar
// takes over while the bar stays where it is.
void LoadBehaviourSettings();

// What the settings dialog edits, in its order; the alert sound it does not offer is stored as 0.
void SaveBehaviourSettings();

// The floating rectangle.
void SaveFloatRect();

// The floating flag, the floating rectangle while floating, the dock edge, the monitor and the
// page.
void SavePlacementSettings();

// Fills curpath with the folder of the program's own file (module), lower-cased, and stores it.
// Only when that name is too long to read whole: from the current directory, or from the stored
// curpath where the current directory is a system folder or too long to hold.
void ResolveProgramFolder(HMODULE module);
