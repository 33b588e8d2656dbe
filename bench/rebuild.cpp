// Panel benchmark: the bar's panel rebuilt with every slot of the page holding an existing
// program, beside the floor of creating and destroying as many plain buttons; the memory growth
// over many rebuilds; then an auto-hiding bar with such a page coming back and withdrawing,
// beside a bare window moved between the same two rectangles.
//   rebuild [REBUILDS]
#include <windows.h>

#include <psapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "panel/panel.h"
#include "placement/barwindow.h"
#include "res/resource.h"
#include "shell/instance.h"
#include "store/registry.h"
#include "store/settings.h"
#include "store/slots.h"

static double Milliseconds(const std::function<void()> &work)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return 1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

static double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

static double Median(const std::function<void()> &work, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(Milliseconds(work));
    return Median(times);
}

// The least a rebuild could do: a child window with as many plain buttons, made and destroyed.
static void PlainButtons(int count)
{
    const HWND panel = CreateWindowExA(0, "static", nullptr, WS_CHILD | WS_VISIBLE, 2, 0, 23, 1000,
                                       BarWindow, nullptr, nullptr, nullptr);
    for (int i = 0; i < count; ++i)
        CreateWindowExA(0, "button", nullptr, WS_CHILD | WS_VISIBLE | BS_ICON, 0, 4 + 22 * i, 23,
                        22, panel, reinterpret_cast<HMENU>(static_cast<INT_PTR>(i)), nullptr,
                        nullptr);
    DestroyWindow(panel);
}

// Delivers the messages the bar has been sent meanwhile (its painting among them).
static void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

static void MoveTo(HWND window, const RECT &r)
{
    MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

// The bar comes back when the cursor touches its strip, and withdraws at the second tick that
// finds the cursor away; each is timed until the bar has handled it. The floor is a bare window
// (one that leaves every message to the default procedure) of the bar's frame moved between the
// same rectangles, paired with each and taken as ratios per pair, as the rebuilds are.
static void TimeRevealAndHide(const char *program)
{
    SHDeleteKeyA(HKEY_CURRENT_USER, kRootKey);
    for (int slot = 0; slot < kMaxButtons; ++slot) {
        char name[16];
        wsprintfA(name, "%d", slot);
        WriteString(HKEY_CURRENT_USER, kFileKey, name, program);
    }
    WriteDword(HKEY_CURRENT_USER, kRootKey, "HideMode", 1);
    WriteDword(HKEY_CURRENT_USER, kRootKey, "HideTime", 600000); // the ticks are sent here
    SetCursorPos(500, 400);
    StartInstance(GetModuleHandleA(nullptr), SW_SHOWNOACTIVATE);
    Pump();
    RECT shown, hidden;
    GetWindowRect(BarWindow, &shown);
    SendMessageA(BarWindow, WM_TIMER, AUTOHIDE_TIMER_ID, 0); // the first tick hides at once
    GetWindowRect(BarWindow, &hidden);
    WNDCLASSA bareClass = {};
    bareClass.lpfnWndProc = DefWindowProcA;
    bareClass.hInstance = GetModuleHandleA(nullptr);
    bareClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    bareClass.lpszClassName = "KORIMBEL_BARE";
    RegisterClassA(&bareClass);
    const HWND bare = CreateWindowExA(WS_EX_TOOLWINDOW, bareClass.lpszClassName, nullptr,
                                      WS_POPUP | WS_BORDER | WS_VISIBLE, shown.left, shown.top,
                                      shown.right - shown.left, shown.bottom - shown.top, nullptr,
                                      nullptr, bareClass.hInstance, nullptr);
    std::vector<double> reveals, hides, revealFloors, hideFloors, revealRatios, hideRatios;
    for (int i = 0; i < 31; ++i) {
        Pump();
        reveals.push_back(Milliseconds([] {
            SendMessageA(BarWindow, WM_SETCURSOR, reinterpret_cast<WPARAM>(BarWindow),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        }));
        Pump();
        SendMessageA(BarWindow, WM_TIMER, AUTOHIDE_TIMER_ID, 0);
        hides.push_back(
            Milliseconds([] { SendMessageA(BarWindow, WM_TIMER, AUTOHIDE_TIMER_ID, 0); }));
        Pump();
        hideFloors.push_back(Milliseconds([&] { MoveTo(bare, hidden); }));
        Pump();
        revealFloors.push_back(Milliseconds([&] { MoveTo(bare, shown); }));
        revealRatios.push_back(reveals.back() / revealFloors.back());
        hideRatios.push_back(hides.back() / hideFloors.back());
    }
    DestroyWindow(bare);
    RECT now;
    GetWindowRect(BarWindow, &now);
    if (!EqualRect(&now, &hidden) || EqualRect(&shown, &hidden)) {
        std::printf(
            "| Reveal and hide of an auto-hiding bar | the bar did not hide | | missed |\n");
        return;
    }
    const double revealRatio = Median(revealRatios);
    std::printf("| Reveal of an auto-hiding bar of %d buttons with icons, median of 31 | %.2f ms, "
                "floor of a bare window moved alike %.2f ms: ratio %.2f | <= 2.00 x floor | %s |\n",
                ButtonsPerPage, Median(reveals), Median(revealFloors), revealRatio,
                revealRatio <= 2.0 ? "met" : "missed");
    std::printf("| Hide of the same bar, median of 31 | %.2f ms, floor %.2f ms: ratio %.2f | | |\n",
                Median(hides), Median(hideFloors), Median(hideRatios));
}

static SIZE_T MemoryInUse()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

int main(int argc, char **argv)
{
    const int rebuilds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    if (FindWindowA("KORIMBEL", nullptr)) {
        std::printf("rebuild: quit the running bar first\n");
        return 1;
    }
    SHDeleteKeyA(HKEY_CURRENT_USER, kRootKey);
    char program[MAX_PATH];
    GetSystemWindowsDirectoryA(program, MAX_PATH);
    lstrcatA(program, "\\notepad.exe");
    for (int slot = 0; slot < kMaxButtons; ++slot) {
        char name[16];
        wsprintfA(name, "%d", slot);
        WriteString(HKEY_CURRENT_USER, kFileKey, name, program);
        WriteString(HKEY_CURRENT_USER, kTitleKey, name, "notepad");
    }
    RegisterBarClass(GetModuleHandleA(nullptr));
    StartInstance(GetModuleHandleA(nullptr), SW_SHOWNOACTIVATE);
    const int buttons = ButtonsPerPage;
    // The speed of Wine's server calls drifts by a factor of three on a busy machine: each
    // rebuild is paired with a floor measured right after it, and the ratio taken per pair.
    std::vector<double> rebuildTimes, floorTimes, ratios;
    for (int i = 0; i < 31; ++i) {
        rebuildTimes.push_back(Milliseconds(RebuildPanel));
        floorTimes.push_back(Milliseconds([&] { PlainButtons(buttons); }));
        ratios.push_back(rebuildTimes.back() / floorTimes.back());
    }
    const double rebuild = Median(rebuildTimes);
    const double ratio = Median(ratios);
    std::printf("| Rebuild of a page of %d buttons with icons, median of 31 | %.1f ms (%.2f ms a "
                "button), floor of plain buttons %.1f ms: ratio %.2f | <= 2.00 x floor | %s |\n",
                buttons, rebuild, rebuild / buttons, Median(floorTimes), ratio,
                ratio <= 2.0 ? "met" : "missed");
    SHDeleteKeyA(HKEY_CURRENT_USER, kFileKey);
    const double empty = Median(RebuildPanel, 31);
    std::printf("| Rebuild of a page of %d empty buttons, median of 31 | %.1f ms | | |\n", buttons,
                empty);
    for (int slot = 0; slot < kMaxButtons; ++slot) {
        char name[16];
        wsprintfA(name, "%d", slot);
        WriteString(HKEY_CURRENT_USER, kFileKey, name, program);
    }
    for (int i = 0; i < 100; ++i)
        RebuildPanel();
    const SIZE_T before = MemoryInUse();
    for (int i = 0; i < rebuilds; ++i)
        RebuildPanel();
    const SIZE_T after = MemoryInUse();
    const long growth = static_cast<long>((long long)(after) - (long long)(before)) / 1024;
    std::printf("| Memory over %d rebuilds after 100 to warm up | %lu KiB -> %lu KiB, growth %ld "
                "KiB | growth 0 | %s |\n",
                rebuilds, static_cast<unsigned long>(before / 1024),
                static_cast<unsigned long>(after / 1024), growth, growth <= 0 ? "met" : "missed");
    DestroyWindow(BarWindow);
    TimeRevealAndHide(program);
    DestroyWindow(BarWindow);
    SHDeleteKeyA(HKEY_CURRENT_USER, kRootKey);
    return 0;
}
