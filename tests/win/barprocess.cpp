#include "barprocess.h"

#include <tlhelp32.h>

#include "bartest.h"
#include "store/settings.h"

std::string KorimbelFolder()
{
    const std::string tests = TestFolder();
    return tests.substr(0, tests.rfind('\\'));
}

std::string KorimbelPath()
{
    return KorimbelFolder() + "\\korimbel.exe";
}

BarProcess StartKorimbel(const std::string &currentDirectory, const std::string &program)
{
    BarProcess p;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    std::string command = "\"" + program + "\"";
    if (CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                       currentDirectory.c_str(), &si, &pi)) {
        CloseHandle(pi.hThread);
        p.handle = pi.hProcess;
    }
    return p;
}

bool WaitExit(BarProcess &p, DWORD milliseconds)
{
    if (WaitForSingleObject(p.handle, milliseconds) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(p.handle, &p.exitCode);
    CloseHandle(p.handle);
    p.handle = nullptr;
    return true;
}

void EndKorimbel(BarProcess &p)
{
    if (p.handle) {
        TerminateProcess(p.handle, 1);
        WaitExit(p, 5000);
    }
    EndProcesses("winedbg.exe");
}

HWND WaitForBar()
{
    HWND bar = nullptr;
    PumpUntil([&] { return (bar = FindWindowA("KORIMBEL", nullptr)) != nullptr; }, 15000);
    return bar;
}

static BOOL CALLBACK CollectLaunchButton(HWND window, LPARAM found)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, "Button") == 0 && (GetWindowLongA(window, GWL_STYLE) & BS_ICON))
        reinterpret_cast<std::vector<HWND> *>(found)->push_back(window);
    return TRUE;
}

std::vector<HWND> LaunchButtons(HWND bar)
{
    std::vector<HWND> buttons;
    EnumChildWindows(bar, CollectLaunchButton, reinterpret_cast<LPARAM>(&buttons));
    return buttons;
}

// Calls found with the id of every process of this image name until it returns true.
template <typename Found> static bool AnyProcessNamed(const char *imageName, Found found)
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool done = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !done;
         more = Process32Next(snapshot, &entry))
        done = lstrcmpiA(entry.szExeFile, imageName) == 0 && found(entry.th32ProcessID);
    CloseHandle(snapshot);
    return done;
}

bool ProcessRunning(const char *imageName)
{
    return AnyProcessNamed(imageName, [](DWORD) { return true; });
}

void EndProcesses(const char *imageName)
{
    AnyProcessNamed(imageName, [](DWORD id) {
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, id)) {
            TerminateProcess(process, 1);
            CloseHandle(process);
        }
        return false;
    });
}

// Wine starts a Linux program without filling in its handles: what a test would wait for and
// close there is whatever lay on the stack, such as the handle of the bar's process.
void Xdotool(const std::string &arguments)
{
    std::string command = "xdotool " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA("Z:\\usr\\bin\\xdotool", &command[0], nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &si, &pi));
    if (pi.hProcess) {
        WaitForSingleObject(pi.hProcess, 10000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    Sleep(100);
}

bool WaitForRect(HWND window, const RECT &expected, DWORD milliseconds)
{
    return PumpUntil([&] { return SameRect(WindowRect(window), expected); }, milliseconds);
}

void BarProcessTest::SetUp()
{
    ASSERT_EQ(FindWindowA("KORIMBEL", nullptr), nullptr) << "another bar is running";
    DeleteKeyTree(kRootKey);
    DeleteRunValue(HKEY_LOCAL_MACHINE);
    home = FreshFolder("E2E Home");
}

void BarProcessTest::TearDown()
{
    EndKorimbel(bar);
    EndKorimbel(other);
    DeleteKeyTree(kRootKey);
    DeleteRunValue(HKEY_LOCAL_MACHINE);
}

HWND BarProcessTest::StartBar()
{
    bar = StartKorimbel(home);
    EXPECT_NE(bar.handle, nullptr);
    const HWND window = WaitForBar();
    Pump(300);
    return window;
}

void BarProcessTest::QuitBar(HWND window)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitExit(bar, 10000)) << "the bar did not quit";
    EXPECT_EQ(bar.exitCode, 0u);
}
