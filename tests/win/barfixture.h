// A fixture that runs the real bar window in this process against a clean settings key, and
// records every request the bar makes to the shell's app-bar service.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bartest.h"
#include "placement/appbar.h"

struct ShellCall {
    DWORD message;
    APPBARDATA data;
};

class BarTest : public testing::Test
{
  public:
    static std::vector<ShellCall> Calls;

  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the bar from the given current directory (the test folder by default) and lets it
    // finish its late initialisation.
    void StartBar(const std::string &currentDirectory = "");
    // Destroys the bar as the exit command does and takes the quit message it posts.
    void QuitBar();
    // Asks the bar to rebuild its panel, as changes to the slots do, and lets it happen.
    static void Rebuild();
    // The launch button at this index of the page shown, and the icon it shows.
    static HWND Button(int index);
    static HICON ButtonIcon(int index);

    // The requests that register, position and remove the bar; the taskbar state queries of
    // every panel rebuild, and the bar's reports of its activation and moves, left out.
    std::vector<ShellCall> Placement() const;
    std::vector<DWORD> Messages() const;

    // A move of the bar as the window system's move loop makes it, with the real cursor: the loop
    // starts with the cursor at from, moves it to to and ends there. The outline the move shows.
    static RECT Drag(POINT from, POINT to);

    // An auto-hiding bar on the edge, with the cursor away from it and ticks only when the test
    // sends them; a tick, the cursor's touch, and whether the bar is withdrawn to its strip.
    void StartHiding(int edge = 2);
    static void Tick();
    static LRESULT Touch();
    static bool Hidden();
    // The ticks of the bar's own auto-hide timer that reach it while the thread's messages are
    // delivered, for the given time or until done.
    static int TimerTicks(
        DWORD milliseconds, const std::function<bool()> &done = [] { return false; });

  private:
    std::string savedDirectory;
};

// The rectangle the worked example gives each edge of the 1024 x 768 desktop.
RECT DockedRect(int edge);

// A shown top-level window of this thread at r, made the foreground window: another program.
HWND OpenOtherWindow(const RECT &r);
