#include "placement/autohide.h"

#include <windows.h>

#include "placement/appbar.h"
#include "placement/rules.h"
#include "placement/winrect.h"
#include "res/resource.h"
#include "shell/barwnd.h"
#include "store/settings.h"

int HiddenFlag;
static HideCount Count = {0, 1};

void ResetAutoHide()
{
    HiddenFlag = 0;
    Count = HideCount{0, 1};
}

void StartAutoHideTimer()
{
    SetTimer(BarWindow, AUTOHIDE_TIMER_ID, static_cast<UINT>(HideTime), nullptr);
}

void AutoHideTick()
{
    if (FloatMode != 0)
        return;
    POINT c;
    GetCursorPos(&c);
    if (InsideInclusive(ToRect(ShownRect), c.x, c.y))
        return;
    if (!CountAwayTick(&Count))
        return;
    if (HideMode != 1 || HiddenFlag != 0 || IsEmptyRect(ToRect(HiddenRect)))
        return;
    MoveBarTo(HiddenRect);
    HiddenFlag = 1;
}

void RevealBar()
{
    if (FloatMode != 0 || HideMode != 1)
        return;
    if (HiddenFlag == 1) {
        SetActiveWindow(BarWindow);
        SetFocus(BarWindow);
        MoveBarTo(ShownRect);
        HiddenFlag = 0;
    }
    Count.ticks = 0;
}
