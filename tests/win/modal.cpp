#include "modal.h"

static std::vector<std::function<bool()>> Steps;
static size_t NextStep;
static DWORD Deadline;
static UINT_PTR Timer;

static BOOL CALLBACK CancelDialog(HWND window, LPARAM)
{
    char name[16];
    if (GetClassNameA(window, name, sizeof name) && lstrcmpA(name, "#32770") == 0)
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (NextStep < Steps.size() && GetTickCount() > Deadline) {
        NextStep = Steps.size();
        EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0);
    }
    while (NextStep < Steps.size() && Steps[NextStep]())
        ++NextStep;
    if (NextStep >= Steps.size()) {
        KillTimer(nullptr, Timer);
        Timer = 0;
    }
}

void DriveModal(std::vector<std::function<bool()>> steps, DWORD giveUp)
{
    Steps = std::move(steps);
    NextStep = 0;
    Deadline = GetTickCount() + giveUp;
    if (!Timer)
        Timer = SetTimer(nullptr, 0, 50, Tick);
}

bool ModalStepsDone()
{
    return NextStep >= Steps.size();
}

struct Search {
    HWND owner;
    HWND found;
};

static BOOL CALLBACK MatchDialog(HWND window, LPARAM lParam)
{
    Search *search = reinterpret_cast<Search *>(lParam);
    char name[16];
    if (IsWindowVisible(window) && GetClassNameA(window, name, sizeof name) &&
        lstrcmpA(name, "#32770") == 0 && GetWindow(window, GW_OWNER) == search->owner) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindDialog(HWND owner)
{
    Search search = {owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring WindowTextW(HWND window)
{
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return text;
}

std::string ItemText(HWND dialog, int id)
{
    char text[512] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}
