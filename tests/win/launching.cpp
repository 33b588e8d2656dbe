#include "launching.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
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
