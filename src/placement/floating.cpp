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

// Drags snap to the work area the system keeps, which leaves out every registered bar.
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

// The work area of the monitor nearest to r, from the monitor as the window system reports it
// now and the shell's taskbar: the system's own work area can lag behind a change of display
// mode (Wine keeps each process's first one, and one computed from the taskbar's old place).
static Rect WorkAreaNear(const RECT &r)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT taskbar = {};
    GetWindowRect(TaskbarWindow(), &taskbar);
    return WorkAreaBeside(ToRect(monitor.rcMonitor), ToRect(taskbar));
}

// A floating bar lies wholly on the work area of its screen: one stored on a screen since
// unplugged or made smaller comes onto the nearest one, its size kept.
static RECT OnWorkArea(int left, int top, const Size &size)
{
    const RECT r = ToRECT(RectAt(left, top, size.width, size.height));
    return ToRECT(MoveInside(left, top, size, WorkAreaNear(r)));
}

// Fitted in the shape the bar takes as it floats, which its first move gives it.
void RestoreFloatGeometry()
{
    const int width = ReadSetting(kWidth);
    const int height = ReadSetting(kHeight);
    const Size stored = FloatingSize(width > 0 ? width : 0, height > 0 ? height : 0, AppBarMode);
    const FloatingShape shape = NormalizeShape(stored.width, stored.height, AppBarMode);
    MoveBarTo(OnWorkArea(ReadSetting(kX), ReadSetting(kY), Size{shape.width, shape.height}));
}

void FollowDisplayChange()
{
    if (FloatMode == 0) {
        DockOnNewScreen();
        return;
    }
    RECT r;
    GetWindowRect(BarWindow, &r);
    const RECT fitted = OnWorkArea(r.left, r.top, Size{r.right - r.left, r.bottom - r.top});
    if (!EqualRect(&fitted, &r))
        MoveBarTo(fitted);
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
