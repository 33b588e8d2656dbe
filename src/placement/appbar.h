// The docked bar as an application desktop toolbar: registration with the shell, positioning
// on its edge, the docked window style, the topmost band and the taskbar's state.
#pragma once

#include <windows.h>
#include <shellapi.h>

// The shell reserves an edge only for a bar that does not auto-hide; an auto-hiding bar asks for
// the taskbar's place instead, and has nothing to remove.
void RegisterAppBar(int hideMode);
void RemoveAppBar(int hideMode);
// On that edge of the bar's monitor: the one of the stored device name, whose corner is taken
// anew, else the one at (Settings.MonitorX, Settings.MonitorY), else the primary monitor while
// that one is away: the bar keeps it and goes back to it when it comes again.
void PositionAppBar(int edge);
void EnterDockedStyle();
void ApplyTopMode();
void SwitchHideMode(int previousHideMode);
int QueryTaskbarMargin();

// The shell's notification (UM_APPBAR_NOTIFY): the bar takes its place again when the layout of
// the screen edges changed, and a topmost bar steps behind a full-screen program while it lasts.
void HandleAppBarNotify(WPARAM code, LPARAM lParam);

// From the bar's late start to its end, the bar hears of each change of the foreground window as
// it happens (no polling) and steps behind a full-screen program in front on its monitor as at
// the shell's notice.
void StartFollowingForeground();
void StopFollowingForeground();

// The shell started again and has forgotten every bar: a docked bar registers anew and takes its
// place as at docking; an auto-hiding one reads the taskbar again. A floating bar does nothing.
void RejoinShell();

// An auto-hiding bar asks for the taskbar's place again and takes its own anew; a registered or
// floating bar does nothing.
void ReadTaskbarAgain();

// The monitors changed: a docked bar takes its edge of its monitor anew, of the primary monitor
// when its own is gone.
void DockOnNewScreen();

// Windows asks a registered bar to pass on its activation (ABM_ACTIVATE) and every change of its
// window's position (ABM_WINDOWPOSCHANGED), by which the shell keeps the bars' order right.
void ReportToShell(DWORD message);

// Every request to the shell's app-bar service passes here; an observer, when set, sees each
// request right after the shell answered it.
typedef void (*AppBarObserver)(DWORD message, const APPBARDATA &data);
void ObserveAppBarMessages(AppBarObserver observer);
