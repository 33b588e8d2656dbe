#include "panel/buttondrag.h"

#include <commctrl.h>

#include "panel/strips.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "store/slots.h"

const UINT kPageHoverMilliseconds = 500;

struct Drag {
    int slot;
    SlotOfWindow slotOf;
    HWND shown;          // the target shown pushed, or null
    int pageCommand;     // the page command under the pointer, or 0
    UINT_PTR hoverTimer; // the thread timer that turns the page, or 0
    bool givenUp;        // Esc was pressed: the drag waits for the release and changes nothing
};

bool LeftDragDistance(POINT press, POINT now)
{
    const int cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
    const RECT within = {press.x - cx, press.y - cy, press.x + cx + 1, press.y + cy + 1};
    return !PtInRect(&within, now);
}

// Another launch button under the point, or null.
static HWND TargetAt(const Drag &drag, POINT point)
{
    const HWND window = WindowFromPoint(point);
    const int slot = drag.slotOf(window);
    return slot >= 0 && slot != drag.slot ? window : nullptr;
}

static void ShowTarget(Drag *drag, HWND target)
{
    if (drag->shown == target)
        return;
    if (drag->shown)
        SendMessageA(drag->shown, BM_SETSTATE, FALSE, 0);
    if (target)
        SendMessageA(target, BM_SETSTATE, TRUE, 0);
    drag->shown = target;
}

// The previous- or next-page command of the toolbar button under the point, or 0.
static int PageCommandAt(POINT point)
{
    const HWND window = WindowFromPoint(point);
    if (!window || !CommandStrip || GetParent(window) != CommandStrip)
        return 0;
    ScreenToClient(window, &point);
    const LRESULT index = SendMessageA(window, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point));
    TBBUTTON button;
    if (index < 0 || !SendMessageA(window, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)))
        return 0;
    const int command = button.idCommand;
    return command == IDM_PREVIOUS_PAGE || command == IDM_NEXT_PAGE ? command : 0;
}

// The hover time starts again whenever the pointer comes onto another page button.
static void FollowPointer(Drag *drag, POINT point)
{
    ShowTarget(drag, TargetAt(*drag, point));
    const int command = PageCommandAt(point);
    if (command == drag->pageCommand)
        return;
    drag->pageCommand = command;
    if (drag->hoverTimer)
        KillTimer(nullptr, drag->hoverTimer);
    drag->hoverTimer = command ? SetTimer(nullptr, 0, kPageHoverMilliseconds, nullptr) : 0;
}

// The page is turned as its toolbar button turns it; the panel and its buttons are new then.
static void TurnPage(Drag *drag)
{
    ShowTarget(drag, nullptr);
    SendMessageA(BarWindow, WM_COMMAND, drag->pageCommand, 0);
}

// The release that follows is taken all the same: it would otherwise click the button under
// the pointer.
static void GiveUp(Drag *drag)
{
    drag->givenUp = true;
    ShowTarget(drag, nullptr);
    if (drag->hoverTimer)
        KillTimer(nullptr, drag->hoverTimer);
    drag->hoverTimer = 0;
}

static bool Drop(const Drag &drag, POINT point, bool copy)
{
    const HWND target = TargetAt(drag, point);
    return target && MoveSlot(drag.slot, drag.slotOf(target), copy);
}

// Whether the drag goes on. The pointer's and the keyboard's input is the drag's while it lasts;
// everything else is handled as usual, a rebuild of the panel too.
static bool HandleDragMessage(Drag *drag, MSG *message, bool *moved)
{
    switch (message->message) {
    case WM_MOUSEMOVE:
        if (!drag->givenUp)
            FollowPointer(drag, message->pt);
        return true;
    case WM_LBUTTONUP:
        *moved = !drag->givenUp && Drop(*drag, message->pt, (message->wParam & MK_CONTROL) != 0);
        return false;
    case WM_KEYDOWN:
        if (message->wParam == VK_ESCAPE)
            GiveUp(drag);
        return true;
    case WM_TIMER:
        if (!message->hwnd && message->wParam == drag->hoverTimer) {
            TurnPage(drag);
            return true;
        }
        break;
    }
    const UINT m = message->message;
    if ((m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_KEYFIRST && m <= WM_KEYLAST))
        return true;
    TranslateMessage(message);
    DispatchMessageA(message);
    return true;
}

bool DragSlot(int slot, SlotOfWindow slotOf)
{
    Drag drag = {slot, slotOf, nullptr, 0, 0, false};
    bool moved = false;
    SetCapture(BarWindow);
    // The move that started the drag may already be over a target or a page button.
    POINT start;
    GetCursorPos(&start);
    FollowPointer(&drag, start);
    MSG message;
    for (bool going = true; going && GetCapture() == BarWindow;) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) // the quit is the bar's message loop's
            PostQuitMessage(static_cast<int>(message.wParam));
        if (got <= 0)
            break;
        going = HandleDragMessage(&drag, &message, &moved);
    }
    GiveUp(&drag);
    if (GetCapture() == BarWindow)
        ReleaseCapture();
    return moved;
}
