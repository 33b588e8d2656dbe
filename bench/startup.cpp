// Start-up benchmark: the median time from starting a program until it is ready, over several
// runs each: the bar docked at the right edge with its panel of buttons; the floor program's
// window; and the floor that first loads the system libraries the bar cannot start without, so
// that the ratio to it is the bar's own start-up. The programs take turns, each round beginning
// with the next, so that a machine slowing down or speeding up, and whatever one program leaves
// behind for the next, weigh on each alike.
//   startup RUNS
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

// Where the default settings put the bar, with a panel child holding launch buttons in its place
// below the command strip: a panel laid out before the strips existed is not the bar's last.
static bool BarReady(HWND bar)
{
    RECT r;
    GetWindowRect(bar, &r);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    if (r.left != width - kDockedThickness || r.top != 0 || r.right != width || r.bottom != height)
        return false;
    for (HWND child = GetWindow(bar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT placed;
        GetWindowRect(child, &placed);
        MapWindowPoints(nullptr, bar, reinterpret_cast<POINT *>(&placed), 2);
        if (placed.top == kCommandStripSize && FindWindowExA(child, nullptr, "button", nullptr))
            return true;
    }
    return false;
}

static bool WindowReady(HWND)
{
    return true;
}

const DWORD kReadyTimeout = 20000;

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
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return isReady ? Seconds(start, found) : -1;
}

struct Program {
    std::string path;
    const char *windowClass;
    bool (*ready)(HWND);
    std::vector<double> times;
};

static double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::max(5, std::atoi(argv[1])) : 9;
    Program programs[] = {{Beside("..\\korimbel.exe"), "KORIMBEL", BarReady, {}},
                          {Beside("floor.exe"), "KORIMBEL_FLOOR", WindowReady, {}},
                          {Beside("floorlibs.exe"), "KORIMBEL_FLOOR", WindowReady, {}}};
    const int count = int(sizeof programs / sizeof programs[0]);
    for (int i = 0; i < runs; ++i)
        for (int k = 0; k < count; ++k) {
            Program &p = programs[(i + k) % count];
            const double t = TimeOneStart(p.path, p.windowClass, p.ready);
            if (t < 0) {
                std::printf("start-up: a program did not get ready (the bar: docked at the right "
                            "edge with its buttons)\n");
                return 1;
            }
            p.times.push_back(t);
        }
    const double bar = Median(programs[0].times), floor = Median(programs[1].times),
                 libraries = Median(programs[2].times);
    std::printf("| Start-up to a docked bar with its buttons, median of %d | korimbel %.1f ms, "
                "floor's window %.1f ms: ratio %.2f | <= 1.20 x floor | %s |\n",
                runs, bar * 1000, floor * 1000, bar / floor, bar / floor <= 1.2 ? "met" : "missed");
    std::printf("| The same beside a floor that loads the bar's system libraries first (comctl32 "
                "with InitCommonControls, shell32, ole32 with COM begun) | korimbel %.1f ms, "
                "floor %.1f ms: ratio %.2f | <= 1.15 x floor | %s |\n",
                bar * 1000, libraries * 1000, bar / libraries,
                bar / libraries <= 1.15 ? "met" : "missed");
    return 0;
}
