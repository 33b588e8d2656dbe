// Start-up benchmark: the median time from starting a program until its window exists, for the
// bar and for the floor program, over several runs each.
//   startup RUNS
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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

// One start: the time until a window of the class exists; then the program is closed.
static double TimeOneStart(const std::string &program, const char *windowClass)
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
    while (!(window = FindWindowA(windowClass, nullptr)) &&
           WaitForSingleObject(pi.hProcess, 1) == WAIT_TIMEOUT) {
    }
    QueryPerformanceCounter(&found);
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return window ? Seconds(start, found) : -1;
}

static double MedianStart(const std::string &program, const char *windowClass, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double t = TimeOneStart(program, windowClass);
        if (t < 0)
            return -1;
        times.push_back(t);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::max(5, std::atoi(argv[1])) : 9;
    const double bar = MedianStart(Beside("..\\korimbel.exe"), "KORIMBEL", runs);
    const double floor = MedianStart(Beside("floor.exe"), "KORIMBEL_FLOOR", runs);
    if (bar < 0 || floor < 0) {
        std::printf("start-up: a program did not show its window\n");
        return 1;
    }
    std::printf("start-up to window, median of %d: korimbel %.1f ms, floor %.1f ms, "
                "ratio %.2f (goal <= 1.20)\n",
                runs, bar * 1000, floor * 1000, bar / floor);
    return 0;
}
