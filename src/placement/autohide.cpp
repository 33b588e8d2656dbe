#include "placement/autohide.h"

#include <windows.h>

#include "res/resource.h"
#include "shell/barwnd.h"
#include "store/settings.h"

void StartAutoHideTimer()
{
    SetTimer(BarWindow, AUTOHIDE_TIMER_ID, static_cast<UINT>(HideTime), nullptr);
}
