// The About box and the help document, both reached from the settings dialog.
#pragma once

#include <windows.h>

void OpenAboutBox(HWND owner);

// Hands "korimbel.htm" to the shell, found relative to the current directory.
void OpenHelpDocument();
