#include "barfixture.h"

#include "res/resource.h"
#include "shell/barwnd.h"
#include "shell/instance.h"
#include "store/settings.h"

std::vector<ShellCall> BarTest::Calls;

static void RecordShellCall(DWORD message, const APPBARDATA &data)
{
    BarTest::Calls.push_back(ShellCall{message, data});
}

void BarTest::SetUp()
{
    static const ATOM registered = RegisterBarClass(GetModuleHandleA(nullptr));
    ASSERT_NE(registered, 0);
    ASSERT_EQ(FindWindowA("KORIMBEL", nullptr), nullptr) << "another bar is running";
    char folder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, folder);
    savedDirectory = folder;
    DeleteKeyTree(kRootKey);
    Calls.clear();
    ObserveAppBarMessages(RecordShellCall);
}

void BarTest::TearDown()
{
    if (BarWindow && IsWindow(BarWindow))
        QuitBar();
    ObserveAppBarMessages(nullptr);
    SetCurrentDirectoryA(savedDirectory.c_str());
    DeleteKeyTree(kRootKey);
}

void BarTest::StartBar(const std::string &currentDirectory)
{
    SetCurrentDirectoryA(currentDirectory.empty() ? TestFolder().c_str()
                                                  : currentDirectory.c_str());
    ASSERT_EQ(StartInstance(GetModuleHandleA(nullptr), SW_SHOWNORMAL), 1);
    Pump(100);
}

void BarTest::QuitBar()
{
    const int quits = QuitMessages;
    DestroyWindow(BarWindow);
    EXPECT_TRUE(PumpUntil([&] { return QuitMessages > quits; }, 2000));
}

void BarTest::Rebuild()
{
    PostMessageA(BarWindow, UM_REBUILD_PANEL, 0, 0);
    Pump(50);
}

std::vector<ShellCall> BarTest::Placement() const
{
    std::vector<ShellCall> calls;
    for (const ShellCall &call : Calls)
        if (call.message != ABM_GETSTATE)
            calls.push_back(call);
    return calls;
}

std::vector<DWORD> BarTest::Messages() const
{
    std::vector<DWORD> messages;
    for (const ShellCall &call : Placement())
        messages.push_back(call.message);
    return messages;
}

RECT DockedRect(int edge)
{
    switch (edge) {
    case 0:
        return RECT{0, 0, 29, 768};
    case 1:
        return RECT{0, 0, 1024, 29};
    case 2:
        return RECT{995, 0, 1024, 768};
    default:
        return RECT{0, 739, 1024, 768};
    }
}
