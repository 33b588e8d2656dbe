#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "barfixture.h"
#include "res/resource.h"
#include "shell/barwnd.h"
#include "store/settings.h"

namespace {

using Strips = BarTest;

TEST_F(Strips, DebugToolbar)
{
    StartBar();
    HWND toolbar = GetDlgItem(CommandStrip, 88);
    ASSERT_NE(toolbar, nullptr);
    RECT r = WindowRect(toolbar);
    printf("toolbar %s strip %s\n", Describe(r).c_str(), Describe(WindowRect(CommandStrip)).c_str());
    for (int i = 0; i < 4; ++i) {
        RECT b;
        SendMessageA(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&b));
        printf("button %d %s rows %d\n", i, Describe(b).c_str(), int(SendMessageA(toolbar, TB_GETROWS, 0, 0)));
    }
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
    for (int i = 0; i < 4; ++i) {
        RECT b;
        SendMessageA(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&b));
        printf("again %d %s\n", i, Describe(b).c_str());
    }
}

} // namespace
