// The About box and the help document, both reached from the settings dialog.
#pragma once

#include <windows.h>

void OpenAboutBox(HWND owner);

// Hands "korimbel.htm" in the program's folder to the shell.
void OpenHelpDocument();
