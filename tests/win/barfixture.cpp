#include "barfixture.h"

#include "panel/panel.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "shell/instance.h"
#include "store/settings.h"

std::vector<ShellCall> BarTest::Calls;

static void RecordShellCall(DWORD message, const APPBARDATA &data)
{
    BarTest::Calls.push_back(ShellCall{message, data});
}

void BarTest::SetUp()
{
    static const ATOM registered = RegisterBarClass(GetModuleHandleA(nullptr));
    ASSERT_NE(registered, 0);
    ASSERT_EQ(FindWindowA("KORIMBEL", nullptr), nullptr) << "another bar is running";
    char folder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, folder);
    savedDirectory = folder;
    DeleteKeyTree(kRootKey);
    Calls.clear();
    ObserveAppBarMessages(RecordShellCall);
}

void BarTest::TearDown()
{
    if (BarWindow && IsWindow(BarWindow))
        QuitBar();
    ObserveAppBarMessages(nullptr);
    SetCurrentDirectoryA(savedDirectory.c_str());
    DeleteKeyTree(kRootKey);
}

void BarTest::StartBar(const std::string &currentDirectory)
{
    SetCurrentDirectoryA(currentDirectory.empty() ? TestFolder().c_str()
                                                  : currentDirectory.c_str());
    ASSERT_EQ(StartInstance(GetModuleHandleA(nullptr), SW_SHOWNORMAL), 1);
    Pump(100);
}

void BarTest::QuitBar()
{
    const int quits = QuitMessages;
    DestroyWindow(BarWindow);
    EXPECT_TRUE(PumpUntil([&] { return QuitMessages > quits; }, 2000));
}

void BarTest::Rebuild()
{
    PostMessageA(BarWindow, UM_REBUILD_PANEL, 0, 0);
    Pump(50);
}

HWND BarTest::Button(int index)
{
    return GetDlgItem(ButtonPanel, SlotNumber(Settings.DispPage, ButtonsPerPage, index));
}

HICON BarTest::ButtonIcon(int index)
{
    return reinterpret_cast<HICON>(SendMessageA(Button(index), BM_GETIMAGE, IMAGE_ICON, 0));
}

std::vector<ShellCall> BarTest::Placement() const
{
    std::vector<ShellCall> calls;
    for (const ShellCall &call : Calls)
        if (call.message != ABM_GETSTATE && call.message != ABM_ACTIVATE &&
            call.message != ABM_WINDOWPOSCHANGED)
            calls.push_back(call);
    return calls;
}

std::vector<DWORD> BarTest::Messages() const
{
    std::vector<DWORD> messages;
    for (const ShellCall &call : Placement())
        messages.push_back(call.message);
    return messages;
}

RECT BarTest::Drag(POINT from, POINT to)
{
    MoveCursor(from.x, from.y);
    SendMessageA(BarWindow, WM_ENTERSIZEMOVE, 0, 0);
    MoveCursor(to.x, to.y);
    RECT proposed = {1, 2, 3, 4};
    EXPECT_EQ(SendMessageA(BarWindow, WM_MOVING, 0, reinterpret_cast<LPARAM>(&proposed)), 1);
    SendMessageA(BarWindow, WM_EXITSIZEMOVE, 0, 0);
    Pump(50);
    return proposed;
}

RECT DockedRect(int edge)
{
    switch (edge) {
    case 0:
        return RECT{0, 0, 29, 768};
    case 1:
        return RECT{0, 0, 1024, 29};
    case 2:
        return RECT{995, 0, 1024, 768};
    default:
        return RECT{0, 739, 1024, 768};
    }
}

void BarTest::StartHiding(int edge)
{
    StoreDword("HideMode", 1);
    StoreDword("HideTime", 600000); // the ticks of the test are its own
    StoreDword("AppBarMode", DWORD(edge));
    MoveCursor(500, 400);
    StartBar();
}

void BarTest::Tick()
{
    SendMessageA(BarWindow, WM_TIMER, AUTOHIDE_TIMER_ID, 0);
}

// The bar answers the cursor request itself: the default procedure would put the class's arrow
// in place of the cursor that shows.
LRESULT BarTest::Touch()
{
    const HCURSOR shown = LoadCursorA(nullptr, IDC_CROSS);
    SetCursor(shown);
    const LRESULT result =
        SendMessageA(BarWindow, WM_SETCURSOR, reinterpret_cast<WPARAM>(BarWindow),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), shown) << "the cursor request reached the default procedure";
    return result;
}

bool BarTest::Hidden()
{
    const RECT r = WindowRect(BarWindow);
    return r.right - r.left == 2 || r.bottom - r.top == 2;
}

static int TicksSeen;

static LRESULT CALLBACK SeeTick(int code, WPARAM removal, LPARAM lParam)
{
    const MSG *msg = reinterpret_cast<const MSG *>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->hwnd == BarWindow &&
        msg->message == WM_TIMER && msg->wParam == AUTOHIDE_TIMER_ID)
        ++TicksSeen;
    return CallNextHookEx(nullptr, code, removal, lParam);
}

int BarTest::TimerTicks(DWORD milliseconds, const std::function<bool()> &done)
{
    TicksSeen = 0;
    const HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, SeeTick, nullptr, GetCurrentThreadId());
    EXPECT_NE(hook, nullptr);
    PumpUntil(done, milliseconds);
    UnhookWindowsHookEx(hook);
    return TicksSeen;
}

HWND OpenOtherWindow(const RECT &r)
{
    const HWND other =
        CreateWindowExA(0, "STATIC", "other program", WS_POPUP | WS_VISIBLE, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    Pump(50);
    return other;
}
