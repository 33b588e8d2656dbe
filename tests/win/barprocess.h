// korimbel.exe in a process of its own, as a user starts it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct BarProcess {
    HANDLE handle = nullptr;
    DWORD exitCode = STILL_ACTIVE;
};

// The folder of the built program, and the program in it.
std::string KorimbelFolder();
std::string KorimbelPath();

// Wine's setting, for korimbel.exe alone, of where it takes each library from: "native,builtin"
// prefers a DLL file found on the search path, "" makes the library unloadable. (WINEDLLOVERRIDES
// would not do: Wine reads it from the Linux side's environment, which a Windows program cannot
// set for a process it starts.)
constexpr const char *kKorimbelDllOverrides =
    "Software\\Wine\\AppDefaults\\korimbel.exe\\DllOverrides";

// Starts the program (the build's, or the one at program) in the given current folder, as a
// double-click does; handle null when it could not start.
BarProcess StartKorimbel(const std::string &currentDirectory,
                         const std::string &program = KorimbelPath());
BarProcess StartKorimbel(const std::wstring &currentDirectory, const std::wstring &program);

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

// Text of a code page in UTF-16; a file's bytes; the Linux path of a file that Wine shows under a
// drive letter.
std::wstring Wide(const std::string &text, UINT codePage = CP_ACP);
std::string FileBytes(const std::wstring &path);
std::wstring LinuxPath(const std::wstring &windowsPath);

// Runs a command of the Linux side's shell in the given folder and waits until it has ended;
// its exit status, or -1 when it did not end within 10 seconds.
int RunLinuxCommand(const std::wstring &command, const wchar_t *folder = nullptr);

// Real pointer input: xdotool, the X11 input tool, moves and presses the pointer of the X
// display that shows the Wine desktop. Its coordinates are the X screen's, which are the
// desktop's in the virtual desktop.
void Xdotool(const std::string &arguments);

bool WaitForRect(HWND window, const RECT &expected, DWORD milliseconds = 5000);

// The bar started as a user starts it, from a fresh folder, against a clean settings key and
// start-with-Windows value; a bar or another program a test leaves running is ended.
class BarProcessTest : public testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the bar (the build's, or the one at program; from home, or the given folder) and
    // waits until its window stands where it goes.
    HWND StartBar(const std::string &folder = "", const std::string &program = KorimbelPath());
    // Asks the bar to close, as its exit does, and waits for the process to end.
    void QuitBar(HWND window);

    std::string home;
    BarProcess bar, other;
};
