#include "launching.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "bartest.h"

static std::string LogPath()
{
    return TestFolder() + "\\recorder.log";
}

std::string PrepareRecorder(const char *folderName)
{
    const std::string folder = FreshFolder(folderName);
    const std::string recorder = folder + "\\recorder.exe";
    CopyFileA((TestFolder() + "\\recorder.exe").c_str(), recorder.c_str(), FALSE);
    DeleteFileA(LogPath().c_str());
    SetEnvironmentVariableA("KORIMBEL_RECORDER_LOG", LogPath().c_str());
    return recorder;
}

void DropPaths(HWND target, const std::vector<std::string> &paths)
{
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string &p : paths)
        size += p.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, size);
    DROPFILES *drop = static_cast<DROPFILES *>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    char *list = reinterpret_cast<char *>(drop + 1);
    for (const std::string &p : paths) {
        memcpy(list, p.c_str(), p.size() + 1);
        list += p.size() + 1;
    }
    GlobalUnlock(memory);
    SendMessageA(target, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

// The Linux path of a Windows path, as Wine maps it.
static std::string UnixPath(const std::wstring &path)
{
    typedef char *(CDECL * UnixName)(const wchar_t *);
    static const UnixName unixName = reinterpret_cast<UnixName>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char *name = unixName ? unixName(path.c_str()) : nullptr;
    const std::string text = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return text;
}

static std::string FileUri(const std::wstring &path)
{
    std::string uri = "file://";
    for (char c : UnixPath(path)) {
        if (isalnum(static_cast<unsigned char>(c)) || strchr("/-._~", c)) {
            uri += c;
        } else {
            char escaped[4];
            snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
            uri += escaped;
        }
    }
    return uri;
}

bool DropFromOutside(HWND target, const std::vector<std::wstring> &paths)
{
    const std::string result = TestFolder() + "\\xdnddrop.result";
    DeleteFileA(result.c_str());
    RECT r;
    GetWindowRect(target, &r);
    std::string command = "xdnddrop " + UnixPath(Widened(result)) + " " +
                          std::to_string((r.left + r.right) / 2) + " " +
                          std::to_string((r.top + r.bottom) / 2);
    for (const std::wstring &p : paths)
        command += " " + FileUri(p);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessA((TestFolder() + "\\xdnddrop").c_str(), &command[0], nullptr, nullptr,
                        FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    // The drag is answered by this thread's window, so it is pumped while the tool runs.
    std::string outcome;
    PumpUntil(
        [&] {
            std::ifstream file(result);
            return std::getline(file, outcome) && !outcome.empty();
        },
        10000);
    Pump(50); // the WM_DROPFILES posted before the tool heard that the drop was taken
    return outcome == "0";
}

static std::vector<Launch> ReadLog()
{
    std::vector<Launch> launches;
    std::ifstream log(LogPath());
    std::string line;
    while (std::getline(log, line)) {
        std::istringstream fields(line);
        Launch l;
        std::string show;
        std::getline(fields, l.created, '|');
        std::getline(fields, show, '|');
        std::getline(fields, l.directory, '|');
        std::getline(fields, l.commandLine);
        l.show = std::atoi(show.c_str());
        launches.push_back(l);
    }
    std::stable_sort(launches.begin(), launches.end(),
                     [](const Launch &a, const Launch &b) { return a.created < b.created; });
    return launches;
}

std::vector<Launch> Launches(size_t count, unsigned milliseconds)
{
    std::vector<Launch> launches;
    PumpUntil([&] { return (launches = ReadLog()).size() >= count; }, milliseconds);
    return launches;
}
