#include "placement/floating.h"

#include <windows.h>

#include "placement/geometry.h"
#include "shell/barwnd.h"
#include "store/settings.h"

void RestoreFloatGeometry()
{
    const int x = ReadSetting(kX);
    const int y = ReadSetting(kY);
    const int width = ReadSetting(kWidth);
    const int height = ReadSetting(kHeight);
    const Size size = FloatingSize(width, height, AppBarMode);
    MoveWindow(BarWindow, x, y, size.width, size.height, TRUE);
}
