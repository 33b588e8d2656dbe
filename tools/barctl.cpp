// Drives a running bar from scripts: waits until it exists, or asks it to quit and waits until
// it is gone, or prints its window rectangle (left top right bottom). Exit code 0 on success, 1
// on time-out or when there is no bar, 2 on a wrong call.
//   barctl wait [seconds]   barctl quit [seconds]   barctl rect
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static HWND FindBar()
{
    return FindWindowA("KORIMBEL", nullptr);
}

static bool WaitFor(bool wanted, int seconds)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < DWORD(seconds) * 1000; Sleep(50)) {
        if ((FindBar() != nullptr) == wanted)
            return true;
    }
    return false;
}

int main(int argc, char **argv)
{
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
    if (argc >= 2 && std::strcmp(argv[1], "wait") == 0)
        return WaitFor(true, seconds) ? 0 : 1;
    if (argc >= 2 && std::strcmp(argv[1], "quit") == 0) {
        if (HWND bar = FindBar())
            PostMessageA(bar, WM_CLOSE, 0, 0);
        return WaitFor(false, seconds) ? 0 : 1;
    }
    if (argc >= 2 && std::strcmp(argv[1], "rect") == 0) {
        RECT r;
        const HWND bar = FindBar();
        if (!bar || !GetWindowRect(bar, &r))
            return 1;
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    return 2;
}
