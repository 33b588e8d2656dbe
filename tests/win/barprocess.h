// korimbel.exe in a process of its own, as a user starts it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct BarProcess {
    HANDLE handle = nullptr;
    DWORD exitCode = STILL_ACTIVE;
};

// The folder of the built program, and the program in it.
std::string KorimbelFolder();
std::string KorimbelPath();

// Starts the program (the build's, or the one at program) in the given current folder, as a
// double-click does; handle null when it could not start.
BarProcess StartKorimbel(const std::string &currentDirectory,
                         const std::string &program = KorimbelPath());

// Ends a bar a test left running, and the debugger a crash of it may have started, so that
// neither holds up a later test.
void EndKorimbel(BarProcess &p);

// Waits for the process to end, then takes its exit code and closes the handle.
bool WaitExit(BarProcess &p, DWORD milliseconds);

// The bar's window once it exists, or null after 15 seconds.
HWND WaitForBar();

// The launch buttons of the bar's current page: the icon buttons among its child windows.
std::vector<HWND> LaunchButtons(HWND bar);

// True while a process of this image name (such as the debugger Wine starts on a crash) runs.
bool ProcessRunning(const char *imageName);

// Ends every process of this image name, so that a crash's debugger holds up no later test.
void EndProcesses(const char *imageName);
