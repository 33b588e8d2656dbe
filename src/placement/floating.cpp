#include "placement/floating.h"

#include "placement/appbar.h"
#include "placement/barwindow.h"
#include "placement/winrect.h"
#include "placement/rules.h"
#include "store/settings.h"

static DragRecord Drag;
static LONG FloatingStyle;

static RECT FloatRect;

void RememberFloatingStyle()
{
    FloatingStyle = GetWindowLongA(BarWindow, GWL_STYLE);
}

static RECT WorkArea()
{
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

static POINT CursorPosition()
{
    POINT c = {};
    GetCursorPos(&c);
    return c;
}

// A stored position that lies wholly off every monitor (one that was unplugged, say) would
// leave the bar out of reach; it floats at the default position instead.
static bool ReachableOnScreen(int x, int y, const Size &size)
{
    const RECT r = ToRECT(RectAt(x, y, size.width, size.height));
    return MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr;
}

void RestoreFloatGeometry()
{
    int x = ReadSetting(kX);
    int y = ReadSetting(kY);
    const int width = ReadSetting(kWidth);
    const int height = ReadSetting(kHeight);
    const Size size = FloatingSize(width > 0 ? width : 0, height > 0 ? height : 0, AppBarMode);
    if (!ReachableOnScreen(x, y, size)) {
        x = kX.fallback;
        y = kY.fallback;
    }
    MoveWindow(BarWindow, x, y, size.width, size.height, TRUE);
}

static void SaveFloatRect(const RECT &r)
{
    WriteSetting(kX, r.left);
    WriteSetting(kY, r.top);
    WriteSetting(kWidth, Span(r.left, r.right));
    WriteSetting(kHeight, Span(r.top, r.bottom));
}

void SavePlacement()
{
    WriteSetting(kFloatMode, FloatMode);
    if (FloatMode != 0) {
        RECT r;
        GetWindowRect(BarWindow, &r);
        SaveFloatRect(r);
    }
    WriteSetting(kAppBarMode, AppBarMode);
    WriteSetting(kDispPage, DispPage);
}

static void EnterFloatingStyle()
{
    SetWindowLongA(BarWindow, GWL_STYLE, FloatingStyle);
    SetWindowPos(BarWindow, HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(BarWindow, TopBand(), 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
    RestoreFloatGeometry();
    RemoveAppBar(HideMode);
}

void BeginBarDrag()
{
    if (FloatMode != 0) {
        const POINT c = CursorPosition();
        GetWindowRect(BarWindow, &FloatRect);
        Drag = DragRecord{c.x - FloatRect.left, c.y - FloatRect.top,
                          FloatRect.right - FloatRect.left, FloatRect.bottom - FloatRect.top};
    } else {
        Drag =
            DragRecord{kUndockOffsetX, kUndockOffsetY, ReadSetting(kWidth), ReadSetting(kHeight)};
    }
}

void TrackBarDrag(RECT *proposed)
{
    const POINT c = CursorPosition();
    const RECT work = WorkArea();
    *proposed = ToRECT(SnapRect(c.x, c.y, work.right, work.bottom, Drag));
}

static void DockAt(int edge)
{
    AppBarMode = edge;
    if (FloatMode != 0) {
        FloatMode = 0;
        EnterDockedStyle();
        SaveFloatRect(FloatRect);
    } else {
        PositionAppBar(edge);
    }
}

static void Undock()
{
    ShowWindow(BarWindow, SW_HIDE);
    const POINT c = CursorPosition();
    FloatRect = ToRECT(RectAt(c.x - Drag.offsetX, c.y - Drag.offsetY, Drag.width, Drag.height));
    SaveFloatRect(FloatRect);
    FloatMode = 1;
    EnterFloatingStyle();
}

void EndBarDrag()
{
    const POINT c = CursorPosition();
    const RECT work = WorkArea();
    const int edge = EdgeAtPoint(c.x, c.y, work.right, work.bottom);
    if (edge != kOpenScreen)
        DockAt(edge);
    else if (FloatMode == 0)
        Undock();
}

void NormalizeFloatingBar()
{
    RECT r;
    GetWindowRect(BarWindow, &r);
    const FloatingShape shape = NormalizeShape(r.right - r.left, r.bottom - r.top, AppBarMode);
    AppBarMode = shape.edge;
    MoveWindow(BarWindow, r.left, r.top, shape.width, shape.height, TRUE);
}

void LimitFloatingTrackSize(MINMAXINFO *limits)
{
    if (limits->ptMinTrackSize.x > kFloatingWidth)
        limits->ptMinTrackSize.x = kFloatingWidth;
    if (limits->ptMinTrackSize.y > kFloatingWidth)
        limits->ptMinTrackSize.y = kFloatingWidth;
}
