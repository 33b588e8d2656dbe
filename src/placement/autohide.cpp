#include "placement/autohide.h"

#include <windows.h>

#include "placement/barwindow.h"
#include "placement/monitors.h"
#include "placement/rules.h"
#include "placement/winrect.h"
#include "res/resource.h"
#include "store/settings.h"

// 1 while the bar sits in its hidden strip.
static int HiddenFlag;
static HideCount Count = {0, 1};
static RECT ShownRect;
static RECT HiddenRect;

// While the keyboard holds the bar out.
static bool HeldOut;

// From the bar's late start to its end; while the timer runs.
static bool TimerArmed;
static bool TimerRunning;

void ResetAutoHide()
{
    HiddenFlag = 0;
    Count = HideCount{0, 1};
    HeldOut = false;
    TimerArmed = false;
    TimerRunning = false;
}

void RecordAutoHideRects(int edge)
{
    GetWindowRect(BarWindow, &ShownRect);
    HiddenRect = ToRECT(EdgeStrip(ToRect(ShownRect), edge, BarScaled(kHiddenStripWidth)));
}

void KeepHiddenBarHidden()
{
    if (Settings.HideMode == 1 && HiddenFlag == 1)
        MoveBarTo(HiddenRect);
}

// A tick can hide a shown auto-hiding bar, and can count the cursor away until the count has
// left its start: once it has counted one tick and spent the first-tick flag, further ticks only
// raise it, and every count above 0 hides at the next tick just the same. A hidden bar got there
// by such a count; its ticks change nothing until the cursor brings it back and the count
// starts again.
static bool TickCanAct()
{
    if (Settings.FloatMode != 0)
        return false;
    if (Settings.HideMode == 1 && HiddenFlag == 0)
        return true;
    return Count.ticks == 0 || Count.firstTick == 1;
}

void FollowAutoHideMode(bool restart)
{
    if (!TimerArmed)
        return;
    if (TickCanAct()) {
        if (restart || !TimerRunning)
            SetTimer(BarWindow, AUTOHIDE_TIMER_ID, static_cast<UINT>(Settings.HideTime), nullptr);
        TimerRunning = true;
    } else if (TimerRunning) {
        KillTimer(BarWindow, AUTOHIDE_TIMER_ID);
        TimerRunning = false;
    }
}

void StartAutoHideTimer()
{
    TimerArmed = true;
    FollowAutoHideMode(true);
}

void StopAutoHideTimer()
{
    KillTimer(BarWindow, AUTOHIDE_TIMER_ID);
    TimerArmed = false;
    TimerRunning = false;
}

static void HideStep()
{
    if (Settings.FloatMode != 0 || HeldOut)
        return;
    POINT c;
    GetCursorPos(&c);
    if (InsideInclusive(ToRect(ShownRect), c.x, c.y))
        return;
    if (!CountAwayTick(&Count))
        return;
    if (Settings.HideMode != 1 || HiddenFlag != 0 || IsEmptyRect(ToRect(HiddenRect)))
        return;
    MoveBarTo(HiddenRect);
    HiddenFlag = 1;
}

void AutoHideTick()
{
    HideStep();
    FollowAutoHideMode(false);
}

static void ComeBack()
{
    SetActiveWindow(BarWindow);
    SetFocus(BarWindow);
    MoveBarTo(ShownRect);
    HiddenFlag = 0;
}

void RevealBar()
{
    if (Settings.FloatMode != 0 || Settings.HideMode != 1)
        return;
    if (HiddenFlag == 1) {
        if (FullScreenProgramInFront())
            return;
        ComeBack();
    }
    Count.ticks = 0;
    FollowAutoHideMode(false);
}

void HoldBarOut(bool hold)
{
    HeldOut = hold;
    if (Settings.FloatMode != 0 || Settings.HideMode != 1)
        return;
    if (hold && HiddenFlag == 1)
        ComeBack();
    Count.ticks = 0;
    FollowAutoHideMode(false);
}
