// The recorder program's log: how each started instance was started.
#pragma once

#include <string>
#include <vector>

struct Launch {
    std::string created; // sortable creation time
    int show;
    std::string directory;
    std::string commandLine;
};

#include <windows.h>

// A drop of these paths on a window, as the shell delivers it.
void DropPaths(HWND target, const std::vector<std::string> &paths);

// A drop from outside the process, as a file manager of the X display makes it: the Linux-side
// tool xdnddrop drags these files onto the middle of target by the XDND protocol, and Wine turns
// the drag into WM_DROPFILES. True once the target has taken the drop.
bool DropFromOutside(HWND target, const std::vector<std::wstring> &paths);

// A fresh copy of the recorder in a folder of the test tree (its name may hold blanks), with
// an empty log; returns the recorder's path.
std::string PrepareRecorder(const char *folderName);

// The launches logged so far, oldest first; waits until at least count are there.
std::vector<Launch> Launches(size_t count, unsigned milliseconds = 5000);
