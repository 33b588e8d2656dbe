#include "placement/floating.h"

#include "placement/appbar.h"
#include "placement/barwindow.h"
#include "placement/monitors.h"
#include "placement/rules.h"
#include "placement/winrect.h"
#include "store/settings.h"

static DragRecord Drag;
static LONG FloatingStyle;

static RECT FloatRect;

void RememberFloatingStyle()
{
    FloatingStyle = GetWindowLongA(BarWindow, GWL_STYLE);
}

static POINT CursorPosition()
{
    POINT c = {};
    GetCursorPos(&c);
    return c;
}

// A floating bar lies wholly on the work area of its screen: one stored on a screen since
// unplugged or made smaller comes onto the nearest one, its size kept.
static RECT OnWorkArea(int left, int top, const Size &size)
{
    const RECT r = ToRECT(RectAt(left, top, size.width, size.height));
    return ToRECT(MoveInside(left, top, size, WorkAreaOf(MonitorUnder(r))));
}

// Fitted in the shape the bar takes as it floats, which its first move gives it.
void RestoreFloatGeometry()
{
    const Size stored =
        FloatingSize(Settings.Width, Settings.Height, Settings.AppBarMode, BarDpi());
    const FloatingShape shape =
        NormalizeShape(stored.width, stored.height, Settings.AppBarMode, BarDpi());
    MoveBarTo(OnWorkArea(Settings.X, Settings.Y, Size{shape.width, shape.height}));
}

static void FitFloatingBar()
{
    RECT r;
    GetWindowRect(BarWindow, &r);
    const RECT fitted = OnWorkArea(r.left, r.top, Size{r.right - r.left, r.bottom - r.top});
    if (!EqualRect(&fitted, &r))
        MoveBarTo(fitted);
}

void FollowDisplayChange()
{
    if (Settings.FloatMode == 0)
        DockOnNewScreen();
    else
        FitFloatingBar();
}

void FollowWorkArea()
{
    if (Settings.FloatMode == 0)
        ReadTaskbarAgain();
    else
        FitFloatingBar();
}

static void TakeFloatRect(const RECT &r)
{
    Settings.X = r.left;
    Settings.Y = r.top;
    Settings.Width = Span(r.left, r.right);
    Settings.Height = Span(r.top, r.bottom);
}

static void KeepFloatRect(const RECT &r)
{
    TakeFloatRect(r);
    SaveFloatRect();
}

void SavePlacement()
{
    if (Settings.FloatMode != 0) {
        RECT r;
        GetWindowRect(BarWindow, &r);
        TakeFloatRect(r);
    }
    SavePlacementSettings();
}

static void EnterFloatingStyle()
{
    SetWindowLongA(BarWindow, GWL_STYLE, FloatingStyle);
    SetWindowPos(BarWindow, HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(BarWindow, TopBand(), 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
    RestoreFloatGeometry();
    RemoveAppBar(Settings.HideMode);
}

void BeginBarDrag()
{
    if (Settings.FloatMode != 0) {
        const POINT c = CursorPosition();
        GetWindowRect(BarWindow, &FloatRect);
        Drag = DragRecord{c.x - FloatRect.left, c.y - FloatRect.top,
                          FloatRect.right - FloatRect.left, FloatRect.bottom - FloatRect.top};
    } else {
        Drag = DragRecord{BarScaled(kUndockOffsetX), BarScaled(kUndockOffsetY), Settings.Width,
                          Settings.Height};
    }
}

// Every monitor has its edges: the one under the cursor decides, less the shell's taskbar.
void TrackBarDrag(RECT *proposed)
{
    const POINT c = CursorPosition();
    *proposed = ToRECT(SnapRect(c.x, c.y, WorkAreaOf(MonitorNear(c)), Drag, BarDpi()));
}

static void DockAt(int edge, const Rect &monitor)
{
    Settings.AppBarMode = edge;
    Settings.MonitorX = monitor.left;
    Settings.MonitorY = monitor.top;
    NameMonitor(monitor, Settings.MonitorName);
    if (Settings.FloatMode != 0) {
        Settings.FloatMode = 0;
        EnterDockedStyle();
        KeepFloatRect(FloatRect);
    } else {
        PositionAppBar(edge);
    }
}

static void Undock()
{
    ShowWindow(BarWindow, SW_HIDE);
    const POINT c = CursorPosition();
    FloatRect = ToRECT(RectAt(c.x - Drag.offsetX, c.y - Drag.offsetY, Drag.width, Drag.height));
    KeepFloatRect(FloatRect);
    Settings.FloatMode = 1;
    EnterFloatingStyle();
}

void EndBarDrag()
{
    const POINT c = CursorPosition();
    const Rect monitor = MonitorNear(c);
    const int edge = EdgeAtPoint(c.x, c.y, WorkAreaOf(monitor));
    if (edge != kOpenScreen)
        DockAt(edge, monitor);
    else if (Settings.FloatMode == 0)
        Undock();
}

void NormalizeFloatingBar()
{
    RECT r;
    GetWindowRect(BarWindow, &r);
    const FloatingShape shape =
        NormalizeShape(r.right - r.left, r.bottom - r.top, Settings.AppBarMode, BarDpi());
    Settings.AppBarMode = shape.edge;
    MoveWindow(BarWindow, r.left, r.top, shape.width, shape.height, TRUE);
}

void LimitFloatingTrackSize(MINMAXINFO *limits)
{
    const int thickness = BarScaled(kFloatingWidth);
    if (limits->ptMinTrackSize.x > thickness)
        limits->ptMinTrackSize.x = thickness;
    if (limits->ptMinTrackSize.y > thickness)
        limits->ptMinTrackSize.y = thickness;
}
