#include "launching.h"

#include <windows.h>

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
