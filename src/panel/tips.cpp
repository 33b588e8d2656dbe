#include "panel/tips.h"

#include <commctrl.h>

#include "placement/barwindow.h"

static HWND Tooltip;

// The tooltip window has no owner: an owned pop-up above the bar keeps some window managers
// (Wine's) from moving the bar into the topmost band. One window serves every panel for the
// bar's life, each panel bringing its own tools, so that a rebuild does not pay for a window.
// The buttons relay their mouse messages to it themselves rather than letting the tooltip
// subclass each of them, which would cost a rebuild as much again as the buttons themselves.
void CreateButtonTips()
{
    Tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, 10, 10, nullptr, nullptr, Instance, nullptr);
}

void AddButtonTip(HWND panel, HWND button, const char *title)
{
    if (!Tooltip)
        return;
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = panel;
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = const_cast<char *>(title);
    SendMessageA(Tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void RelayToTooltip(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg = {window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    GetCursorPos(&msg.pt);
    SendMessageA(Tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void RemoveButtonTips()
{
    for (LRESULT n = SendMessageA(Tooltip, TTM_GETTOOLCOUNT, 0, 0); n > 0; --n) {
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        SendMessageA(Tooltip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageA(Tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void DestroyButtonTips()
{
    DestroyWindow(Tooltip);
    Tooltip = nullptr;
}
