#include "barprocess.h"

#include <tlhelp32.h>

#include "bartest.h"

std::string KorimbelPath()
{
    return TestFolder() + "\\..\\korimbel.exe";
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
