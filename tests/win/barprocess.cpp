#include "barprocess.h"

#include <tlhelp32.h>

#include "bartest.h"

std::string KorimbelPath()
{
    return TestFolder() + "\\..\\korimbel.exe";
}

BarProcess StartKorimbel(const std::string &currentDirectory)
{
    BarProcess p;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    std::string command = "\"" + KorimbelPath() + "\"";
    if (CreateProcessA(KorimbelPath().c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
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

HWND WaitForBar()
{
    HWND bar = nullptr;
    PumpUntil([&] { return (bar = FindWindowA("KORIMBEL", nullptr)) != nullptr; }, 15000);
    return bar;
}

bool ProcessRunning(const char *imageName)
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !found;
         more = Process32Next(snapshot, &entry))
        found = lstrcmpiA(entry.szExeFile, imageName) == 0;
    CloseHandle(snapshot);
    return found;
}
