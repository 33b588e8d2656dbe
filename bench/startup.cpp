// Start-up benchmark: the time from starting a program until it is ready, in two rounds of
// several runs each: the bar docked at the right edge with its panel of buttons; the floor
// program's window; the floor that first loads the system libraries the bar cannot start
// without; and the docked floor, which also takes a session mutex and docks at the right edge as
// the bar does, so that the ratio to it is the bar's own start-up. The programs take turns, each
// run beginning with the next, so that a machine slowing down or speeding up, and whatever one
// program leaves behind for the next, weigh on each alike.
// With "bar", only the bar is timed, and its two medians printed in milliseconds: the bench runs
// it at two screen scales. The bar's sizes are those of the scale this program started at.
//   startup RUNS [bar]
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "panel/layout.h"
#include "placement/geometry.h"

static std::string Beside(const char *name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, std::string(path).rfind('\\'));
    return folder + "\\" + name;
}

static double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

static int Dpi = kBaseDpi;

// Where the default settings put the bar: the whole height of the screen, at its right edge.
static bool AtRightEdge(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    return r.left == width - Scaled(kDockedThickness, Dpi) && r.top == 0 && r.right == width &&
           r.bottom == height;
}

// Docked, with a panel child holding launch buttons in its place below the command strip: a
// panel laid out before the strips existed is not the bar's last.
static bool BarReady(HWND bar)
{
    if (!AtRightEdge(bar))
        return false;
    for (HWND child = GetWindow(bar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT placed;
        GetWindowRect(child, &placed);
        MapWindowPoints(nullptr, bar, reinterpret_cast<POINT *>(&placed), 2);
        if (placed.top == Scaled(kCommandStripSize, Dpi) && FindWindowExA(child, nullptr, "button", nullptr))
            return true;
    }
    return false;
}

static bool WindowReady(HWND)
{
    return true;
}

static bool DockedFloorReady(HWND floor)
{
    return IsWindowVisible(floor) && AtRightEdge(floor);
}

const DWORD kReadyTimeout = 20000;

// A docked program that had to be ended keeps its edge reserved in the shell, which would dock
// the next one beside it: any process may give the edge back for it.
static void GiveEdgeBack(HWND window)
{
    APPBARDATA data = {};
    data.cbSize = sizeof data;
    data.hWnd = window;
    SHAppBarMessage(ABM_REMOVE, &data);
}

// One start: the time until a window of the class exists and is ready; then the program is
// closed.
static double TimeOneStart(const std::string &program, const char *windowClass,
                           bool (*ready)(HWND))
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    std::string command = "\"" + program + "\"";
    const std::string folder = program.substr(0, program.rfind('\\'));
    LARGE_INTEGER start, found;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &si, &pi))
        return -1;
    HWND window = nullptr;
    bool isReady = false;
    const DWORD began = GetTickCount();
    while (!isReady && GetTickCount() - began < kReadyTimeout &&
           WaitForSingleObject(pi.hProcess, 1) == WAIT_TIMEOUT) {
        window = FindWindowA(windowClass, nullptr);
        isReady = window && ready(window);
    }
    QueryPerformanceCounter(&found);
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 1);
        if (window)
            GiveEdgeBack(window);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return isReady ? Seconds(start, found) : -1;
}

const int kRounds = 2; // the rows below name both rounds

struct Program {
    std::string path;
    const char *windowClass;
    bool (*ready)(HWND);
    std::vector<double> times[kRounds];
};

static double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

static double Fastest(const std::vector<double> &times)
{
    return *std::min_element(times.begin(), times.end());
}

// A row of the bar beside a floor, with both rounds' medians; met when both meet the goal.
static void PrintBesideFloor(const char *measure, const Program &bar, const Program &floor,
                             const char *floorName, double goal)
{
    double ratio[kRounds];
    for (int round = 0; round < kRounds; ++round)
        ratio[round] = Median(bar.times[round]) / Median(floor.times[round]);
    std::printf("| %s | korimbel %.1f and %.1f ms, %s %.1f and %.1f ms: ratio %.2f and %.2f | ",
                measure, Median(bar.times[0]) * 1000, Median(bar.times[1]) * 1000, floorName,
                Median(floor.times[0]) * 1000, Median(floor.times[1]) * 1000, ratio[0], ratio[1]);
    if (goal > 0)
        std::printf("<= %.2f x floor | %s |\n", goal,
                    ratio[0] <= goal && ratio[1] <= goal ? "met" : "missed");
    else
        std::printf("| |\n");
}

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::max(5, std::atoi(argv[1])) : 9;
    const bool barOnly = argc > 2 && std::strcmp(argv[2], "bar") == 0;
    const HDC screen = GetDC(nullptr);
    Dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    Program programs[] = {{Beside("..\\korimbel.exe"), "KORIMBEL", BarReady, {}},
                          {Beside("floor.exe"), "KORIMBEL_FLOOR", WindowReady, {}},
                          {Beside("floorlibs.exe"), "KORIMBEL_FLOOR", WindowReady, {}},
                          {Beside("floordocked.exe"), "KORIMBEL_FLOOR", DockedFloorReady, {}}};
    const int count = barOnly ? 1 : int(sizeof programs / sizeof programs[0]);
    for (int round = 0; round < kRounds; ++round)
        for (int i = 0; i < runs; ++i)
            for (int k = 0; k < count; ++k) {
                Program &p = programs[(round * runs + i + k) % count];
                const double t = TimeOneStart(p.path, p.windowClass, p.ready);
                if (t < 0) {
                    std::printf("start-up: %s did not get ready (the bar: docked at the right "
                                "edge with its buttons; the docked floor: at the right edge)\n",
                                p.path.c_str());
                    return 1;
                }
                p.times[round].push_back(t);
            }
    const Program &bar = programs[0], &docked = programs[3];
    if (barOnly) {
        std::printf("%.1f %.1f\n", Median(bar.times[0]) * 1000, Median(bar.times[1]) * 1000);
        return 0;
    }
    char measure[160];
    std::snprintf(measure, sizeof measure,
                  "Start-up to a docked bar with its buttons, median of %d, rounds 1 and 2", runs);
    PrintBesideFloor(measure, bar, programs[1], "floor's window", 1.20);
    PrintBesideFloor("The same beside a floor that only loads the bar's system libraries first "
                     "(comctl32 with InitCommonControls, shell32, ole32 with COM begun)",
                     bar, programs[2], "floor", 0);
    for (int round = 0; round < kRounds; ++round) {
        const double ratio = Median(bar.times[round]) / Median(docked.times[round]);
        std::printf("| The same beside a docked floor (the bar's system libraries, COM begun, a "
                    "session mutex taken, docked at the right edge with ABM_NEW, ABM_QUERYPOS, "
                    "ABM_SETPOS), round %d, median and fastest of %d | korimbel %.1f ms, fastest "
                    "%.1f ms; docked floor %.1f ms, fastest %.1f ms: ratio %.2f, of the fastest "
                    "%.2f | <= 1.15 x floor | %s |\n",
                    round + 1, runs, Median(bar.times[round]) * 1000,
                    Fastest(bar.times[round]) * 1000, Median(docked.times[round]) * 1000,
                    Fastest(docked.times[round]) * 1000, ratio,
                    Fastest(bar.times[round]) / Fastest(docked.times[round]),
                    ratio <= 1.15 ? "met" : "missed");
    }
    return 0;
}
