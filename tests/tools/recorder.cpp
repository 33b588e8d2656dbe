// A program for the launching tests: it writes one line about how it was started to the file
// named by KORIMBEL_RECORDER_LOG and ends. The line holds its creation time (to sort instances
// by start), the show command it was given, its current directory and its command line.
#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char log[MAX_PATH];
    if (!GetEnvironmentVariableA("KORIMBEL_RECORDER_LOG", log, MAX_PATH))
        return 1;
    STARTUPINFOA si;
    GetStartupInfoA(&si);
    const int show = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : -1;
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    char directory[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, directory);
    char line[2048];
    const int length =
        std::snprintf(line, sizeof line, "%08lx%08lx|%d|%s|%s\n", created.dwHighDateTime,
                      created.dwLowDateTime, show, directory, GetCommandLineA());
    for (int attempt = 0; attempt < 200; ++attempt) {
        const HANDLE file = CreateFileA(log, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written;
            WriteFile(file, line, DWORD(length), &written, nullptr);
            CloseHandle(file);
            return 0;
        }
        Sleep(10);
    }
    return 2;
}
