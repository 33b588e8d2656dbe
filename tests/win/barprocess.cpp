#include "barprocess.h"

#include <tlhelp32.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

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
    return StartKorimbel(Wide(currentDirectory), Wide(program));
}

BarProcess StartKorimbel(const std::wstring &currentDirectory, const std::wstring &program)
{
    BarProcess p;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    std::wstring command = L"\"" + program + L"\"";
    if (CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
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
std::wstring Wide(const std::string &text, UINT codePage)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), &wide[0],
                                    int(wide.size())));
    return wide;
}

std::string FileBytes(const std::wstring &path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::wstring LinuxPath(const std::wstring &windowsPath)
{
    typedef char *(CDECL * ToLinux)(const wchar_t *);
    const ToLinux toLinux = reinterpret_cast<ToLinux>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char *path = toLinux ? toLinux(windowsPath.c_str()) : nullptr;
    if (!path)
        return L"";
    const std::wstring wide = Wide(path, CP_UTF8);
    HeapFree(GetProcessHeap(), 0, path);
    return wide;
}

// Runs a command of the Linux side's shell in the given folder and waits until it has ended;
// its exit status, or -1 when it did not end within 10 seconds. (Wine starts a Linux program
// without a Windows process: the handle it gives cannot be waited for. So the shell writes the
// status into a file, and that is waited for.)
int RunLinuxCommand(const std::wstring &command, const wchar_t *folder)
{
    const std::wstring status = Wide(TestFolder()) + L"\\linux-status.txt";
    DeleteFileW(status.c_str());
    std::wstring line = L"sh -c \"" + command + L"; echo $? >'" + LinuxPath(status) + L"'\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(L"Z:\\bin\\sh", &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder, &si,
                        &pi))
        return -1;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    std::string written;
    PumpUntil(
        [&] {
            written = FileBytes(status);
            return !written.empty() && written.back() == '\n';
        },
        10000);
    return written.empty() ? -1 : std::atoi(written.c_str());
}

void Xdotool(const std::string &arguments)
{
    ASSERT_EQ(RunLinuxCommand(L"xdotool " + Wide(arguments)), 0) << arguments;
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

HWND BarProcessTest::StartBar(const std::string &folder, const std::string &program)
{
    bar = StartKorimbel(folder.empty() ? home : folder, program);
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
